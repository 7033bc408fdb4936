// A file past 4 GiB, split and joined through the dialogs: sizes and
// percentages must neither wrap at 32 bits nor divide by a wrapped zero.
#include <windows.h>

#include <gtest/gtest.h>

#include "splitjoin/Exports.h"
#include "tests/win/splitjoin/SplitJoinTest.h"
#include "splitjoin/resource.h"

namespace {

using LargeFileTest = SplitJoinTest;

// Writing 4 GiB under Wine takes most of a minute on a slow disk.
const DWORD kGigabytesMs = 240000;

TEST_F(LargeFileTest, SplitThenJoinPast4GiB) {
    // Sparse on the Linux side, so only the pieces and the result take space.
    const std::uint64_t size = (4ull << 30) + 100;
    const std::string source = dir.File("huge.bin");
    MakeSparseFile(source, size);
    ASSERT_EQ(FileSize(source), size);
    const std::uint64_t hash = FileHash(source);
    const std::string out = dir.File("out");
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(L"Split file");
                                if (!dialog) return;
                                d.SetText(dialog, IDC_SPLIT_DEST, out);
                                TypeOtherSize(d, dialog, "32767");
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_PREVIEW), "huge.001 ~ huge.129");
                                d.Click(dialog, IDOK);
                                if (!d.WaitGone(dialog, 120000)) d.Fail("split dialog stayed");
                            },
                            kGigabytesMs));
    ASSERT_EQ(FilesIn(out + "\\").size(), 129u);
    EXPECT_EQ(FileSize(out + "\\huge.129"), size - 128ull * 32767 * 1024);
    DeleteFileA(source.c_str());
    EXPECT_DRIVEN(RunDriven([&] { JoinFiles(MakeDrop({out + "\\huge.064"})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(L"Join files");
                                if (!dialog) return;
                                EXPECT_EQ(d.ListColumn(dialog, IDC_JOIN_LIST, 0).size(), 129u);
                                d.Click(dialog, IDOK);
                                if (!d.WaitGone(dialog, 120000)) d.Fail("join dialog stayed");
                            },
                            kGigabytesMs));
    for (const std::string& name : FilesIn(out + "\\"))
        if (name != "huge") DeleteFileA((out + "\\" + name).c_str());
    EXPECT_EQ(FileSize(out + "\\huge"), size);
    EXPECT_EQ(FileHash(out + "\\huge"), hash);
    EXPECT_EQ(events, (std::vector<int>{16, 3, 17, 3}));
}

}  // namespace
