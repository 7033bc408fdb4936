// The archive library's command lines: the exact strings for the common
// cases, and any path read back field by field by the archivers' own parsers.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "archive/core/ArchiveCommandLines.h"
#include "standins/archive/core/ArchiverCommands.h"
#include "framework/core/MbcsPath.h"

using namespace archivers;

namespace {

using namespace archive;

const std::string kList = "C:\\T\\~HV1.tmp";

TEST(ArchiveCommandLines, PackCommandsPieceByPiece) {
    LzhPackOptions moved;
    moved.move = true;
    moved.overwrite = 1;
    moved.shortNames = true;
    moved.compatibility = 3;
    TarPackOptions gz9{true, true, 1}, gz1Flat{false, true, 0}, plain{true, false, 0};
    const std::vector<PackItem> items = {{"C:\\data\\report.txt", false}, {"C:\\data\\sub", true}, {"D:\\", true}};
    const struct {
        std::string command, expected;
    } cases[] = {
        {LzhPackCommand({}, "C:\\data\\report", "C:\\data\\", kList),
         "u -c  -a1 -gn2 -jp1 -+ -rx -jm2 \"C:\\data\\report\" \"C:\\data\\\" \"@C:\\T\\~HV1.tmp\""},
        {LzhPackCommand(moved, "C:\\r", "", kList), "m  -ji  -a1 -gn2 -jp1 -+ -rx -jm4 \"C:\\r\" \"\" \"@C:\\T\\~HV1.tmp\""},
        {LzhSelfExtractCommand("C:\\data\\report.lzh", "C:\\data\\"), "s -gw -x1 \"C:\\data\\report.lzh\" \"C:\\data\\\" "},
        {TarPackCommand(gz9, "C:\\data\\report", "C:\\data\\", kList),
         "-cz9 -f \"C:\\data\\report.tgz\" -o \"C:\\data\\\" \"@C:\\T\\~HV1.tmp\""},
        {TarPackCommand(gz1Flat, "C:\\r", "C:\\", kList), "--use-directory=0 -cz1 -f \"C:\\r.tgz\" -o \"C:\\\" \"@C:\\T\\~HV1.tmp\""},
        // Without a base folder no -o: an empty one would take the list as its value.
        {TarPackCommand(plain, "C:\\r", "", kList), "-cf \"C:\\r.tar\" \"@C:\\T\\~HV1.tmp\""},
        {ZipPackCommand(true, "C:\\data\\report", {items[0]}, Cp932LeadByte), "zip -r -j  \"C:\\data\\report\"  \"C:\\data\\report.txt\" "},
        {ZipPackCommand(false, "C:\\a b\\", items, Cp932LeadByte),
         "zip -r  \"C:\\a b\\\\\"  \"C:\\data\\report.txt\"  \"C:\\data\\sub\\*.*\"  \"D:\\*.*\" "},
    };
    for (const auto& c : cases) EXPECT_EQ(c.command, c.expected);
    EXPECT_EQ(std::string() + LzhMethodDigit(0) + LzhMethodDigit(1) + LzhMethodDigit(2) + LzhMethodDigit(3) +
                  LzhMethodDigit(7),
              "02342");
}

TEST(ArchiveCommandLines, UnpackCommandsByKind) {
    const std::string extra = ExtractArgument("C:\\in\\members.txt");
    const struct {
        const char* archive;
        UnpackOptions options;
        std::string extra, expected;
    } cases[] = {
        {"C:\\in\\pack.lzh", {true, false}, "", "e -xcm0 -gn2 -jp1 -+ \"C:\\in\\pack.lzh\" \"C:\\in\\\""},
        {"C:\\in\\pack.LZH", {false, true}, "", "e -c0m1 -gn2 -jp1 -+ \"C:\\in\\pack.LZH\" \"C:\\in\\\""},
        {"C:\\in\\data.tgz", {true, false}, extra,
         "-xvf \"C:\\in\\data.tgz\" -o \"C:\\in\\\" \"@C:\\in\\members.txt\""},
        {"C:\\in\\d.tar", {false, false}, "", "--use-directory=0 -xvf \"C:\\in\\d.tar\" -o \"C:\\in\\\""},
        {"C:\\in\\data.Zip", {true, true}, "", "-u \"C:\\in\\data.Zip\" \"C:\\in\\\""},
        {"C:\\in\\data.zip", {false, false}, "", "-x -j \"C:\\in\\data.zip\" \"C:\\in\\\""},
        {"C:\\in\\data.gz", {true, false}, "", ""},
        {"C:\\in\\x.tar.gz", {true, false}, "", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(UnpackCommand(KindOfArchive(c.archive), c.options, c.archive, "C:\\in\\", c.extra), c.expected);
    EXPECT_EQ(NormalizeDestination("  C:\\out", "C:\\in\\", SingleByteCodePage), "C:\\out\\");
    EXPECT_EQ(NormalizeDestination("   ", "C:\\in", SingleByteCodePage), "C:\\in\\");
}

TEST(ArchiveCommandLines, NamesAndListFile) {
    // 0x95 0x5C is one character whose second byte looks like "\".
    const std::string hyou = "\x95\x5C";
    EXPECT_EQ(ArchiveStem("C:\\data\\old.files\\notes", Cp932LeadByte), "C:\\data\\old.files\\notes");
    EXPECT_EQ(ArchiveStem("C:\\data\\report.txt", Cp932LeadByte), "C:\\data\\report");
    EXPECT_EQ(BaseFolderOf("C:\\" + hyou + ".d\\a" + hyou, Cp932LeadByte), "C:\\" + hyou + ".d\\");
    const std::vector<PackItem> items = {
        {"C:\\Data\\report.txt", false}, {"C:\\data\\sub", true}, {"E:\\found\\x.doc", false}, {"C:\\data\\", true}};
    EXPECT_EQ(ListFileText(items, "C:\\data\\", Cp932LeadByte),
              "report.txt\r\nsub\\*.*\r\nE:\\found\\x.doc\r\nC:\\data\\*.*\r\n");
    EXPECT_EQ(ListFileText({items[0]}, "", Cp932LeadByte), "C:\\Data\\report.txt\r\n");
}

TEST(ArchiveCommandLines, PlanNamesWhatEachRunLeaves) {
    const struct {
        PackFormat format;
        bool gzip;
        std::string stem, archive, selfExtractor;
        bool listFile;
    } cases[] = {
        {PackFormat::Lzh, false, "C:\\d\\report", "C:\\d\\report.lzh", "C:\\d\\report.exe", true},
        {PackFormat::Tar, true, "C:\\d\\report", "C:\\d\\report.tgz", "", true},
        {PackFormat::Tar, false, "C:\\d\\r.tar", "C:\\d\\r.tar.tar", "", true},
        {PackFormat::Zip, false, "C:\\d\\report.zip", "C:\\d\\report.zip", "C:\\d\\report.exe", false},
    };
    for (const auto& c : cases) {
        PackRequest request;
        request.format = c.format;
        request.tar.gzip = c.gzip;
        request.selfExtract = true;
        request.archiveStem = c.stem;
        request.baseFolder = "C:\\d\\";
        request.items = {{"C:\\d\\report.txt", false}};
        const PackPlan plan = PlanPack(request, kList, SingleByteCodePage);
        EXPECT_EQ(plan.archive, c.archive) << c.stem;
        EXPECT_EQ(plan.selfExtractor, c.selfExtractor) << c.stem;
        EXPECT_EQ(plan.listFile, c.listFile) << c.stem;
        EXPECT_EQ(plan.listText, c.listFile ? "report.txt\r\n" : "") << c.stem;
        EXPECT_EQ(plan.selfExtractCommand.empty(), c.format != PackFormat::Lzh) << c.stem;
    }
}

// The C runtime's reading of a command line into argv, in code page 932 (no
// quotes inside the arguments, as no Windows path holds one).
std::vector<std::string> CrtArgv(const std::string& line) {
    std::vector<std::string> args;
    std::size_t i = 0;
    const auto blank = [&] { return line[i] == ' ' || line[i] == '\t'; };
    while (i < line.size()) {
        if (blank()) {
            ++i;
            continue;
        }
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || !blank())) {
            std::size_t slashes = 0;
            while (i < line.size() && line[i] == '\\') ++slashes, ++i;
            if (i < line.size() && line[i] == '"') {
                arg.append(slashes / 2, '\\');
                quoted = !quoted;
                ++i;
            } else if (slashes > 0) {
                arg.append(slashes, '\\');
            } else {
                const bool lead = Cp932LeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size();
                arg += line.substr(i, lead ? 2 : 1);
                i += lead ? 2 : 1;
            }
        }
        args.push_back(arg);
    }
    return args;
}

// Any path of blanks, dots, backslashes, "@", "-" and double-byte characters.
std::string RandomPath(std::mt19937& random, bool folder) {
    static const std::vector<std::string> pieces = {"a", "Z", " ", ".", "\\", "@", "-x", "\x95\x5C", "\x82\xA0", "~1"};
    std::string path = random() % 2 ? "C:\\" : "\\\\host\\share\\";
    std::string last;
    for (int n = 1 + random() % 8; n > 0; --n) path += last = pieces[random() % pieces.size()];
    if (last == "\\") path += folder ? "" : "x";
    else if (folder) path += '\\';
    return path;
}

TEST(ArchiveCommandLines, EveryPathReadsBackWhole) {
    std::mt19937 random(20240601);
    for (int round = 0; round < 400; ++round) {
        const std::string archive = RandomPath(random, false), base = RandomPath(random, true);
        const std::string list = RandomPath(random, false), member = RandomPath(random, false);
        std::string error;
        LzhPackOptions lzh;
        lzh.move = random() % 2;
        lzh.compatibility = random() % 4;
        const auto u = ParseUnlhaCommand(LzhPackCommand(lzh, archive, round % 5 ? base : "", list), error);
        ASSERT_TRUE(u) << error << archive;
        EXPECT_EQ(u->command, lzh.move ? 'm' : 'u');
        EXPECT_EQ(u->archive, archive);
        EXPECT_EQ(u->folder, round % 5 ? base : "");
        ASSERT_EQ(u->names.size(), 1u);
        EXPECT_TRUE(u->names[0].list && u->names[0].text == list);

        const TarPackOptions tarOptions{random() % 2 == 0, random() % 2 == 0, static_cast<int>(random() % 2)};
        const auto t = ParseTarCommand(TarPackCommand(tarOptions, archive, round % 5 ? base : "", list), error);
        ASSERT_TRUE(t) << error << archive;
        EXPECT_EQ(t->archive, archive + TarExtension(tarOptions.gzip));
        EXPECT_EQ(t->folder, round % 5 ? base : "");
        EXPECT_EQ(t->gzipLevel, tarOptions.gzip ? (tarOptions.priority ? 9 : 1) : -1);
        EXPECT_EQ(t->useDirectory, tarOptions.useDirectory);
        ASSERT_EQ(t->names.size(), 1u);
        EXPECT_TRUE(t->names[0].list && t->names[0].text == list);

        const UnpackOptions unpack{random() % 2 == 0, random() % 2 == 0};
        const auto x = ParseUnzipCommand(
            UnpackCommand(ArchiveKind::Zip, unpack, archive, base, ExtractArgument(member)), error);
        ASSERT_TRUE(x) << error << archive;
        EXPECT_EQ(x->archive, archive);
        EXPECT_EQ(x->folder, base);
        EXPECT_EQ(x->keepPaths, unpack.usePath);
        EXPECT_EQ(x->onlyNewer, unpack.onlyNew);
        ASSERT_EQ(x->names.size(), 1u);
        EXPECT_TRUE(x->names[0].list && x->names[0].text == member);

        const std::vector<PackItem> items = {{archive, false}, {base, true}, {member, true}};
        std::vector<std::string> argv = CrtArgv(ZipPackCommand(round % 2, archive, items, Cp932LeadByte));
        ASSERT_FALSE(argv.empty());
        EXPECT_EQ(argv[0], "zip");
        const auto z = ParseZipCommand(std::vector<std::string>(argv.begin() + 1, argv.end()), error);
        ASSERT_TRUE(z) << error << archive;
        EXPECT_TRUE(z->recurse);
        EXPECT_EQ(z->junkPaths, round % 2 == 1);
        EXPECT_EQ(z->archive, archive);
        EXPECT_EQ(z->files, (std::vector<std::string>{archive, base + "*.*", member + "\\*.*"}));
    }
}

}  // namespace
