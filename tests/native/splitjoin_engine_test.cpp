// The split and join engines over files in memory: round trips, the end mark,
// cancel and failures, and sizes past 4 GiB on files that are never stored.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "splitjoin/core/JoinEngine.h"
#include "splitjoin/core/PieceNames.h"
#include "splitjoin/core/SplitEngine.h"

using namespace splitjoin;

namespace {

constexpr std::uint64_t kGiB = 1024ull * 1024 * 1024;

// Generated files hold one value per 4-KiB page, different from page to page,
// so that gigabytes are made and checked with memset and memcmp; a byte
// shifted by any amount shows at the next page edge.
constexpr std::uint64_t kPage = 4096;
unsigned char PatternByte(std::uint64_t offset) {
    return static_cast<unsigned char>(((offset / kPage) * 2654435761ull) >> 11);
}

// Calls run(position, count, value) for the stretches of one page value.
template <class Run>
void ForEachPatternRun(std::uint64_t start, std::size_t size, Run run) {
    std::size_t done = 0;
    while (done < size) {
        const std::uint64_t offset = start + done;
        const std::size_t count =
            static_cast<std::size_t>(std::min<std::uint64_t>(kPage - offset % kPage, size - done));
        run(done, count, PatternByte(offset));
        done += count;
    }
}

std::string ToLower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

// Files in memory. Generated files (a pattern from a start offset) stand in
// for files too large to hold; outputs named in `verify` check what is written
// against the pattern instead of storing it.
class MemoryFiles : public EngineFiles {
public:
    struct Generated {
        std::uint64_t start = 0;
        std::uint64_t length = 0;
    };
    struct Verified {
        std::uint64_t start = 0;
        std::uint64_t length = 0;
        bool matches = true;
    };
    std::map<std::string, std::string> files;
    std::map<std::string, Generated> generated;
    std::map<std::string, Verified> verify;
    // Another name for a file (as an 8.3 name or a hard link would be).
    std::map<std::string, std::string> aliases;
    std::set<std::string> unreadable;     // opening fails
    std::set<std::string> denyWriteOpen;  // inputs open with writers shut out
    std::map<std::string, std::size_t> writeFailsAfter;  // bytes accepted before a write fails
    std::size_t room = SIZE_MAX;                          // bytes all outputs together take
    std::vector<std::string> removed;
    int opens = 0;

    std::string Key(const std::string& path) const {
        const std::string lower = ToLower(path);
        const auto alias = aliases.find(lower);
        return alias == aliases.end() ? lower : alias->second;
    }

    class Input : public EngineInput {
    public:
        Input(MemoryFiles& owner, std::string key) : owner_(owner), key_(std::move(key)) {}
        bool Read(void* buffer, std::size_t size, std::size_t& got) override {
            const auto gen = owner_.generated.find(key_);
            if (gen != owner_.generated.end()) {
                const std::uint64_t left = gen->second.length - position_;
                got = static_cast<std::size_t>(std::min<std::uint64_t>(left, size));
                auto* out = static_cast<unsigned char*>(buffer);
                ForEachPatternRun(gen->second.start + position_, got,
                                  [&](std::size_t at, std::size_t count, unsigned char value) {
                                      std::memset(out + at, value, count);
                                  });
            } else {
                const std::string& data = owner_.files[key_];
                got = static_cast<std::size_t>(std::min<std::uint64_t>(data.size() - position_, size));
                std::memcpy(buffer, data.data() + position_, got);
            }
            position_ += got;
            return true;
        }
        std::uint64_t Length() const override {
            const auto gen = owner_.generated.find(key_);
            return gen != owner_.generated.end() ? gen->second.length : owner_.files[key_].size();
        }
        FileIdentity Identity() const override { return {1, std::hash<std::string>()(key_), true}; }
        ~Input() override { owner_.denyWriteOpen.erase(key_); }

    private:
        MemoryFiles& owner_;
        std::string key_;
        std::uint64_t position_ = 0;
    };

    class Output : public EngineOutput {
    public:
        Output(MemoryFiles& owner, std::string key) : owner_(owner), key_(std::move(key)) {}
        bool Write(const void* data, std::size_t size) override {
            const auto limit = owner_.writeFailsAfter.find(key_);
            if (limit != owner_.writeFailsAfter.end()) {
                if (size > limit->second) return false;
                limit->second -= size;
            }
            if (size > owner_.room) return false;
            owner_.room -= size;
            const auto* bytes = static_cast<const unsigned char*>(data);
            const auto check = owner_.verify.find(key_);
            if (check != owner_.verify.end()) {
                Verified& v = check->second;
                unsigned char page[kPage];
                ForEachPatternRun(v.start + v.length, size, [&](std::size_t at, std::size_t count, unsigned char value) {
                    std::memset(page, value, count);
                    if (std::memcmp(bytes + at, page, count) != 0) v.matches = false;
                });
                v.length += size;
                return true;
            }
            owner_.files[key_].append(reinterpret_cast<const char*>(data), size);
            return true;
        }
        bool Truncate(std::uint64_t length) override {
            owner_.files[key_].resize(static_cast<std::size_t>(length));
            return true;
        }
        FileIdentity Identity() const override { return {1, std::hash<std::string>()(key_), true}; }
        bool Close() override { return true; }

    private:
        MemoryFiles& owner_;
        std::string key_;
    };

    std::unique_ptr<EngineInput> OpenInput(const std::string& path, bool denyWrite, int& error) override {
        const std::string key = Key(path);
        ++opens;
        if (unreadable.count(key) || (!files.count(key) && !generated.count(key))) {
            error = 2;
            return nullptr;
        }
        if (denyWrite) denyWriteOpen.insert(key);
        return std::make_unique<Input>(*this, key);
    }

    std::unique_ptr<EngineOutput> OpenOutput(const std::string& path, OutputOpen how, bool& created,
                                             std::uint64_t& previousLength, int& error) override {
        const std::string key = Key(path);
        // What a Win32 share mode does: no writer while the reader shuts them out.
        if (denyWriteOpen.count(key) || unreadable.count(key)) {
            error = 32;
            return nullptr;
        }
        created = !files.count(key) && !verify.count(key);
        previousLength = 0;
        if (how == OutputOpen::CreateOrReplace) {
            if (!verify.count(key)) files[key].clear();
        } else if (!created) {
            previousLength = files[key].size();
        } else {
            files[key];
        }
        return std::make_unique<Output>(*this, key);
    }

    bool Remove(const std::string& path) override {
        const std::string key = Key(path);
        removed.push_back(key);
        files.erase(key);
        return true;
    }
    bool Replace(const std::string& target, const std::string& source, int&) override {
        files[Key(target)] = files[Key(source)];
        return files.erase(Key(source)) == 1;
    }
};

class RecordingEvents : public EngineEvents {
public:
    std::vector<int> percents;
    std::vector<std::uint64_t> items;
    int stopAfterChecks = -1;  // < 0: never
    int checks = 0;
    // Percentages since the last item, as they came.
    std::vector<std::vector<int>> percentsPerItem;
    bool StopRequested() override { return stopAfterChecks >= 0 && ++checks > stopAfterChecks; }
    void Percent(int percent) override {
        percents.push_back(percent);
        if (percentsPerItem.empty()) percentsPerItem.emplace_back();
        percentsPerItem.back().push_back(percent);
    }
    void Item(std::uint64_t number) override {
        items.push_back(number);
        percentsPerItem.emplace_back();
    }
};

std::string RandomBytes(std::size_t size, unsigned seed) {
    std::mt19937 random(seed);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    return bytes;
}

TEST(SplitEngine, RoundTripsThroughJoin) {
    const std::uint64_t piece = 4096;
    const std::vector<std::size_t> lengths = {0, 1, 4095, 4096, 4097, 8192, 3 * 4096 + 17, 100000};
    for (std::size_t length : lengths) {
        MemoryFiles files;
        const std::string source = RandomBytes(length, static_cast<unsigned>(length));
        files.files["c:\\d\\movie.avi"] = source;
        RecordingEvents events;
        const RunResult split = RunSplit(files, {"C:\\d\\movie.avi", "C:\\out", piece}, events, Cp932LeadByte);
        ASSERT_EQ(split.status, RunStatus::Done) << length;
        const std::uint64_t count = length / piece + 1;
        EXPECT_EQ(split.written, count);
        JoinRequest join;
        for (std::uint64_t i = 1; i <= count; ++i) {
            const std::string name = ToLower(PieceName("C:\\out\\movie.", i));
            ASSERT_TRUE(files.files.count(name)) << name;
            EXPECT_EQ(files.files[name].size(), std::min<std::uint64_t>(piece, length - (i - 1) * piece)) << name;
            join.inputs.push_back(name);
        }
        EXPECT_FALSE(files.files.count(ToLower(PieceName("C:\\out\\movie.", count + 1))));
        join.output = "C:\\out\\movie.avi";
        RecordingEvents joinEvents;
        const RunResult joined = RunJoin(files, join, joinEvents, Cp932LeadByte);
        ASSERT_EQ(joined.status, RunStatus::Done);
        EXPECT_EQ(files.files["c:\\out\\movie.avi"], source) << length;
        EXPECT_EQ(joined.written, length);
    }
}

TEST(SplitEngine, ReportsPiecesAndPercentages) {
    MemoryFiles files;
    files.files["c:\\d\\movie.avi"] = std::string(3000000, 'x');
    RecordingEvents events;
    const RunResult split = RunSplit(files, {"C:\\d\\movie.avi", "C:\\d\\", 1440 * 1024}, events, Cp932LeadByte);
    ASSERT_EQ(split.status, RunStatus::Done);
    EXPECT_EQ(events.items, (std::vector<std::uint64_t>{1, 2, 3}));
    EXPECT_EQ(events.percents, (std::vector<int>{49, 98, 147}));
    EXPECT_EQ(files.files["c:\\d\\movie.003"].size(), 50880u);
}

TEST(SplitEngine, CancelKeepsTheCompletePiecesOnly) {
    struct Case {
        int stopAfter;
        std::uint64_t piece;
        std::size_t kept;
    };
    // Before piece 1, before pieces 6 and 10 of 4 KiB; in the first megabyte
    // of a 4-MiB piece, whose first part goes.
    for (const Case& c : {Case{0, 4096, 0}, Case{5, 4096, 5}, Case{9, 4096, 9}, Case{1, 4 << 20, 0}}) {
        MemoryFiles files;
        files.files["c:\\d\\movie.avi"] = std::string(c.piece == 4096 ? 10 * 4096 : 3 << 20, 'y');
        RecordingEvents events;
        events.stopAfterChecks = c.stopAfter;
        const RunResult split = RunSplit(files, {"C:\\d\\movie.avi", "C:\\o", c.piece}, events, Cp932LeadByte);
        EXPECT_EQ(split.status, RunStatus::Stopped) << c.stopAfter;
        EXPECT_EQ(files.files.size(), 1 + c.kept) << c.stopAfter;
        for (std::size_t i = 1; i <= c.kept; ++i)
            EXPECT_EQ(files.files[ToLower(PieceName("C:\\o\\movie.", i))].size(), 4096u) << i;
        if (c.piece > 4096) EXPECT_EQ(events.checks, 2);
    }
    // The disk fills during piece 2.
    MemoryFiles files;
    files.files["c:\\d\\movie.avi"] = std::string(5 * 4096, 'z');
    files.writeFailsAfter["c:\\o\\movie.002"] = 1000;
    RecordingEvents events;
    RunResult split = RunSplit(files, {"C:\\d\\movie.avi", "C:\\o", 4096}, events, Cp932LeadByte);
    EXPECT_EQ(split.status, RunStatus::WriteFailed);
    EXPECT_EQ(split.path, "C:\\o\\movie.002");
    // Piece 1 is complete and stays; the broken piece 2 goes.
    EXPECT_EQ(files.files.size(), 2u);
    EXPECT_EQ(files.files["c:\\o\\movie.001"].size(), 4096u);
    // A missing source.
    split = RunSplit(files, {"C:\\d\\none.avi", "C:\\o", 4096}, events, Cp932LeadByte);
    EXPECT_EQ(split.status, RunStatus::OpenInputFailed);
    // A zero piece size would make empty pieces without end.
    split = RunSplit(files, {"C:\\d\\movie.avi", "C:\\o", 0}, events, Cp932LeadByte);
    EXPECT_EQ(split.status, RunStatus::BadRequest);
}

TEST(SplitEngine, NeverWritesOverItsSource) {
    // movie.001 split into its own folder: piece 1 is the source itself.
    MemoryFiles files;
    const std::string source = RandomBytes(9000, 5);
    files.files["c:\\d\\movie.001"] = source;
    RecordingEvents events;
    const RunResult split = RunSplit(files, {"C:\\d\\movie.001", "C:\\d", 4096}, events, Cp932LeadByte);
    EXPECT_EQ(split.status, RunStatus::OpenOutputFailed);
    EXPECT_EQ(files.files["c:\\d\\movie.001"], source);
}

TEST(JoinEngine, DropsOnlyAFinalEndMark) {
    struct Case {
        std::vector<std::string> inputs;
        bool dropEndMark;
        std::string output;
    };
    const std::string big = std::string(kCopyBlockSize, 'b') + "\x1A";  // the mark is alone in the last block
    const std::vector<Case> cases = {
        {{"ab\x1A", "cd\x1A"}, true, "abcd"},
        {{"ab\x1A", "cd\x1A"}, false, "ab\x1A" "cd\x1A"},
        {{"a\x1A" "b", "\x1A"}, true, "a\x1A" "b"},
        {{"", "x"}, true, "x"},
        {{big}, true, std::string(kCopyBlockSize, 'b')},
        {{"\x1A\x1A"}, true, "\x1A"},
    };
    for (const Case& c : cases) {
        MemoryFiles files;
        JoinRequest request;
        for (std::size_t i = 0; i < c.inputs.size(); ++i) {
            const std::string name = "c:\\in." + std::to_string(i);
            files.files[name] = c.inputs[i];
            request.inputs.push_back(name);
        }
        request.output = "C:\\out";
        request.dropEndMark = c.dropEndMark;
        RecordingEvents events;
        ASSERT_EQ(RunJoin(files, request, events, Cp932LeadByte).status, RunStatus::Done);
        EXPECT_EQ(files.files["c:\\out"], c.output);
        EXPECT_EQ(events.items.size(), c.inputs.size());
        // A percentage is told when it changes, not once per block.
        for (const std::vector<int>& percents : events.percentsPerItem)
            for (std::size_t i = 1; i < percents.size(); ++i) EXPECT_LT(percents[i - 1], percents[i]);
    }
}

TEST(JoinEngine, AppendsOrReplacesAsAsked) {
    MemoryFiles files;
    files.files["c:\\a"] = "AAA";
    files.files["c:\\out"] = "old";
    JoinRequest request{{"C:\\a"}, "C:\\out"};
    RecordingEvents events;
    ASSERT_EQ(RunJoin(files, request, events, Cp932LeadByte).status, RunStatus::Done);
    EXPECT_EQ(files.files["c:\\out"], "oldAAA");
    request.how = OutputOpen::CreateOrReplace;
    ASSERT_EQ(RunJoin(files, request, events, Cp932LeadByte).status, RunStatus::Done);
    EXPECT_EQ(files.files["c:\\out"], "AAA");
    EXPECT_EQ(files.files.size(), 2u);
}

TEST(JoinEngine, FailureAndCancelRestoreTheOutput) {
    struct Case {
        bool outputExists;
        OutputOpen how;
        int stopAfter;      // < 0: no cancel
        bool missingInput;  // row 2 of 3 is gone
        bool diskFull;      // in row 2
        RunStatus status;
        const char* left;   // nullptr: no output file
    };
    const OutputOpen append = OutputOpen::Append, replace = OutputOpen::CreateOrReplace;
    const std::vector<Case> cases = {
        {false, append, -1, true, false, RunStatus::OpenInputFailed, nullptr},
        {true, append, -1, true, false, RunStatus::OpenInputFailed, "keep"},
        {true, replace, -1, true, false, RunStatus::OpenInputFailed, "keep"},
        {false, append, 2, false, false, RunStatus::Stopped, nullptr},
        {true, append, 2, false, false, RunStatus::Stopped, "keep"},
        // A replaced file stays whole until the joined one is complete.
        {true, replace, 2, false, false, RunStatus::Stopped, "keep"},
        {true, replace, -1, false, true, RunStatus::WriteFailed, "keep"},
    };
    for (const Case& c : cases) {
        MemoryFiles files;
        files.files["c:\\p.1"] = std::string(kStopCheckBytes + 10, '1');
        files.files["c:\\p.2"] = std::string(kStopCheckBytes + 10, '2');
        files.files["c:\\p.3"] = "3";
        if (c.missingInput) files.files.erase("c:\\p.2");
        if (c.outputExists) files.files["c:\\out"] = "keep";
        if (c.diskFull) files.room = kStopCheckBytes + 20;
        JoinRequest request{{"C:\\p.1", "C:\\p.2", "C:\\p.3"}, "C:\\out", c.how};
        RecordingEvents events;
        events.stopAfterChecks = c.stopAfter;
        const RunResult result = RunJoin(files, request, events, Cp932LeadByte);
        EXPECT_EQ(result.status, c.status);
        // Nothing but the inputs and the old output is left.
        EXPECT_EQ(files.files.size(), (c.missingInput ? 2u : 3u) + (c.left ? 1 : 0));
        if (c.left) {
            EXPECT_EQ(files.files["c:\\out"], c.left);
        } else {
            EXPECT_FALSE(files.files.count("c:\\out"));
        }
        if (c.missingInput) EXPECT_EQ(result.path, "C:\\p.2");
    }
}

TEST(JoinEngine, RefusesToReadItsOwnOutput) {
    // Replacing must not empty the output before the inputs are known to be
    // other files: that destroyed the input it was.
    for (const OutputOpen how : {OutputOpen::Append, OutputOpen::CreateOrReplace}) {
        MemoryFiles files;
        files.files["c:\\d\\movie"] = "original";
        files.files["c:\\d\\a"] = "a";
        // The short name of the output, as a drop could list it.
        files.aliases["c:\\d\\movie~1"] = "c:\\d\\movie";
        JoinRequest request{{"C:\\d\\a", "C:\\d\\MOVIE~1"}, "C:\\d\\movie", how};
        RecordingEvents events;
        const RunResult result = RunJoin(files, request, events, Cp932LeadByte);
        EXPECT_EQ(result.status, RunStatus::SameFile);
        EXPECT_EQ(files.files["c:\\d\\movie"], "original") << static_cast<int>(how);
    }
}

TEST(EnginesBeyond4GiB, SplitAndJoinKeepEveryByte) {
    // 4 GiB + 100 bytes in 32767-KB pieces: 129 pieces, the last of
    // 4 GiB + 100 - 128 * 32767 KB bytes. Nothing is stored: every piece is
    // checked against the pattern at its offset as it is written.
    const std::uint64_t length = 4 * kGiB + 100;
    const std::uint64_t piece = 32767 * 1024ull;
    MemoryFiles files;
    files.generated["c:\\big.bin"] = {0, length};
    const std::uint64_t count = PieceCount(length, piece);
    ASSERT_EQ(count, 129u);
    for (std::uint64_t i = 1; i <= count; ++i) files.verify[ToLower(PieceName("C:\\o\\big.", i))] = {(i - 1) * piece};
    RecordingEvents events;
    ASSERT_EQ(RunSplit(files, {"C:\\big.bin", "C:\\o", piece}, events, Cp932LeadByte).status, RunStatus::Done);
    std::uint64_t total = 0;
    for (std::uint64_t i = 1; i <= count; ++i) {
        const auto& v = files.verify[ToLower(PieceName("C:\\o\\big.", i))];
        EXPECT_TRUE(v.matches) << i;
        total += v.length;
    }
    EXPECT_EQ(total, length);
    EXPECT_EQ(events.percents.back(), PiecePercent(count, piece, length));

    // Join 4 GiB + 100 bytes from two generated pieces, one of exactly 4 GiB:
    // a 32-bit length would have made it look empty.
    MemoryFiles joinFiles;
    joinFiles.generated["c:\\big.001"] = {0, 4 * kGiB};
    joinFiles.generated["c:\\big.002"] = {4 * kGiB, 100};
    joinFiles.verify["c:\\big"] = {0};
    RecordingEvents joinEvents;
    const RunResult joined =
        RunJoin(joinFiles, {{"C:\\big.001", "C:\\big.002"}, "C:\\big"}, joinEvents, Cp932LeadByte);
    ASSERT_EQ(joined.status, RunStatus::Done);
    EXPECT_EQ(joined.written, length);
    EXPECT_TRUE(joinFiles.verify["c:\\big"].matches);
    EXPECT_EQ(joinFiles.verify["c:\\big"].length, length);
}

}  // namespace
