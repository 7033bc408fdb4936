// The split dialog and the split run, driven as a user would: defaults,
// preview, validation, the settings written on Start, the checks that keep
// a split from destroying data, cancel, and the cabinet road.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "splitjoin/Exports.h"
#include "splitjoin/PelmitApp.h"
#include "framework/dialogs/Services.h"
#include "tests/win/splitjoin/SplitJoinTest.h"
#include "splitjoin/resource.h"

using namespace splitjoin;

namespace {

const std::wstring kSplitCaption = L"Split file";
const std::wstring kProgressCaption = L"Running ......";
const std::wstring kSeparateCaption = L"Files Seprate";

class SplitTest : public SplitJoinTest {
protected:
    std::string Source(const std::string& name, std::size_t size, unsigned seed = 1) {
        const std::string path = dir.File(name);
        WriteFileBytes(path, RandomBytes(size, seed));
        return path;
    }
    // Fills the dialog: folder, size in KB (0: keep the preset), then Start.
    static void Start(DialogDriver& d, HWND dialog, const std::string& destination, int kb) {
        if (!destination.empty()) d.SetText(dialog, IDC_SPLIT_DEST, destination);
        if (kb > 0) {
            TypeOtherSize(d, dialog, std::to_string(kb));
        }
        d.Click(dialog, IDOK);
    }
    // Splits into cabinet volumes, through `segment` (this program's copy of
    // the library by default), answering the one message box with `answer`.
    std::wstring SplitToCabinets(const std::string& source, int kb, int answer = 0,
                                 void (*segment)(HDROP) = SegmentFile) {
        std::wstring message;
        EXPECT_DRIVEN(RunDriven([&] { segment(MakeDrop({source})); },
                                [&](DialogDriver& d) {
                                    HWND dialog = d.Expect(kSplitCaption);
                                    if (!dialog) return;
                                    d.SetCheck(dialog, IDC_SPLIT_CABINET, true);
                                    Start(d, dialog, "", kb);
                                    if (answer) message = d.Answer(kSeparateCaption, answer, 30000);
                                    if (!d.WaitGone(dialog)) d.Fail("split dialog stayed");
                                }));
        return message;
    }
};

TEST_F(SplitTest, OpensWithTheDefaultsOfAnEmptyProfile) {
    const std::string source = Source("movie.avi", 3000000);
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                EXPECT_TRUE(d.IsChecked(dialog, IDC_SPLIT_144));
                                EXPECT_FALSE(d.IsChecked(dialog, IDC_SPLIT_640));
                                EXPECT_FALSE(d.IsEnabled(dialog, IDC_SPLIT_SIZE));
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_SIZE), "1440");
                                EXPECT_FALSE(d.IsChecked(dialog, IDC_SPLIT_CABINET));
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_SOURCE), source);
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_DEST), dir.Path());
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_PREVIEW), "movie.001 ~ movie.003");
                                // The cabinet box switches the preview, not the settings.
                                d.SetCheck(dialog, IDC_SPLIT_CABINET, true);
                                d.WaitFor([&] { return d.AnsiText(dialog, IDC_SPLIT_PREVIEW) == "movie1.cab ~ movie3.cab"; });
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_PREVIEW), "movie1.cab ~ movie3.cab");
                                // F1 asks the voice product's help.
                                PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(0xE146, BN_CLICKED), 0);
                                d.Click(dialog, IDCANCEL);
                            }));
    EXPECT_EQ(events, (std::vector<int>{16, 4}));
    EXPECT_EQ(ProfileValue("Segment", "Cabinet"), -1);
    EXPECT_EQ(ProfileValue("Segment", "Size"), -1);
    EXPECT_EQ(helpCalls, (std::vector<std::string>{dir.Path() + "Halvet.hlp#5002"}));
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"movie.avi"}));
}

TEST_F(SplitTest, OthersPreviewsAtOnceAndValidatesOnStart) {
    const std::string source = Source("movie.avi", 3000000);
    std::vector<std::wstring> messages;
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                TypeOtherSize(d, dialog, "100");
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_PREVIEW), "movie.001 ~ movie.030");
                                // Out of range and not a number: the framework's messages.
                                d.SetText(dialog, IDC_SPLIT_SIZE, "40000");
                                d.Click(dialog, IDOK);
                                messages.push_back(d.Answer(L"Pelmit", IDOK));
                                d.SetText(dialog, IDC_SPLIT_SIZE, "0");
                                d.Click(dialog, IDOK);
                                messages.push_back(d.Answer(L"Pelmit", IDOK));
                                d.SetText(dialog, IDC_SPLIT_SIZE, "12a");
                                d.Click(dialog, IDOK);
                                messages.push_back(d.Answer(L"Pelmit", IDOK));
                                // Still open.
                                EXPECT_TRUE(IsWindowVisible(dialog));
                                d.Click(dialog, IDCANCEL);
                            }));
    EXPECT_EQ(messages, (std::vector<std::wstring>{L"1 から 32767 までの整数を入力してください。",
                                                   L"1 から 32767 までの整数を入力してください。",
                                                   L"整数を入力してください。"}));
    EXPECT_EQ(ProfileValue("Segment", "Size"), -1);
    EXPECT_EQ(events, (std::vector<int>{16, 4}));
}

TEST_F(SplitTest, APresetStartsWhateverTheOthersFieldHolds) {
    const std::string source = Source("movie.avi", 3000000);
    std::wstring message;
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                TypeOtherSize(d, dialog, "0");
                                // Leaving Others tells about the field, and goes on.
                                d.ClickRadio(dialog, IDC_SPLIT_720);
                                message = d.Answer(L"Pelmit", IDOK);
                                d.WaitFor([&] { return !d.IsEnabled(dialog, IDC_SPLIT_SIZE); });
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_PREVIEW), "movie.001 ~ movie.005");
                                d.Click(dialog, IDOK);
                                if (!d.WaitGone(dialog)) d.Fail("split dialog stayed");
                            }));
    EXPECT_EQ(message, L"1 から 32767 までの整数を入力してください。");
    EXPECT_EQ(ProfileValue("Segment", "640K"), 1);
    EXPECT_EQ(ProfileValue("Segment", "Size"), 720);
    EXPECT_EQ(ProfileValue("Segment", "Cabinet"), 0);
    EXPECT_EQ(FileSize(dir.File("movie.001")), 720u * 1024);
    EXPECT_EQ(FileSize(dir.File("movie.005")), 3000000u - 4 * 720 * 1024);
    EXPECT_EQ(events, (std::vector<int>{16, 3}));
}

TEST_F(SplitTest, SplitThenJoinGivesTheSameBytes) {
    // Sizes in bytes against the piece size in KB.
    struct Case {
        std::size_t size;
        int kb;
        std::uint64_t pieces;
    };
    const std::vector<Case> cases = {
        {0, 1, 1},            // an empty file: one empty piece
        {1, 1, 1},            // one byte
        {2048, 1, 3},         // an exact multiple: an empty last piece
        {3 * 1024 + 5, 1, 4},
        {5000, 64, 1},        // a piece larger than the file
        {3000000, 1440, 3},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        events.clear();
        const std::string folder = dir.File("case" + std::to_string(++n) + "\\");
        CreateDirectoryA(folder.c_str(), nullptr);
        const std::string source = folder + "data.bin";
        WriteFileBytes(source, RandomBytes(c.size, static_cast<unsigned>(n)));
        const std::uint64_t hash = FileHash(source);
        // Into a new nested folder, which Start creates level by level.
        const std::string out = folder + "out\\a\\b";
        EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                                [&](DialogDriver& d) {
                                    HWND dialog = d.Expect(kSplitCaption);
                                    if (!dialog) return;
                                    Start(d, dialog, out, c.kb);
                                    if (!d.WaitGone(dialog)) d.Fail("split dialog stayed");
                                }));
        EXPECT_EQ(FilesIn(out + "\\").size(), c.pieces);
        std::uint64_t total = 0;
        for (const std::string& name : FilesIn(out + "\\")) total += FileSize(out + "\\" + name);
        EXPECT_EQ(total, c.size);
        EXPECT_EQ(ProfileValue("Segment", "Size"), c.kb);
        EXPECT_EQ(ProfileValue("Segment", "640K"), 4);

        // One piece dropped brings its series; the output is proposed beside it.
        DeleteFileA(source.c_str());
        EXPECT_DRIVEN(RunDriven([&] { JoinFiles(MakeDrop({out + "\\data.001"})); },
                                [&](DialogDriver& d) {
                                    HWND dialog = d.Expect(L"Join files");
                                    if (!dialog) return;
                                    EXPECT_EQ(d.AnsiText(dialog, IDC_JOIN_OUTPUT), out + "\\data");
                                    EXPECT_EQ(d.ListColumn(dialog, IDC_JOIN_LIST, 0).size(), c.pieces);
                                    d.Click(dialog, IDOK);
                                    if (!d.WaitGone(dialog)) d.Fail("join dialog stayed");
                                }));
        EXPECT_EQ(FileHash(out + "\\data"), hash);
        EXPECT_EQ(FileSize(out + "\\data"), c.size);
        EXPECT_EQ(events, (std::vector<int>{16, 3, 17, 3}));
    }
}

TEST_F(SplitTest, StartTellsWhenTheFolderCannotBeMade) {
    const std::string source = Source("movie.avi", 1000);
    std::wstring message;
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                Start(d, dialog, "Q:\\no\\drive", 0);
                                message = d.Answer(kSeparateCaption, IDOK);
                                EXPECT_TRUE(IsWindowVisible(dialog));
                                d.Click(dialog, IDCANCEL);
                            }));
    EXPECT_EQ(message, L"Operation Fail");
    EXPECT_EQ(ProfileValue("Segment", "Size"), -1);
}

TEST_F(SplitTest, ASourceIsNeverItsOwnPiece) {
    // movie.001 into its own folder: piece 1 would be the source itself.
    const std::string source = Source("movie.001", 3000);
    const std::uint64_t hash = FileHash(source);
    std::wstring message;
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                Start(d, dialog, "", 1);
                                message = d.Answer(kSeparateCaption, IDOK);
                                d.Click(dialog, IDCANCEL);
                            }));
    EXPECT_NE(message.find(L"overwritten by its own piece"), std::wstring::npos);
    EXPECT_EQ(FileHash(source), hash);
    EXPECT_EQ(FilesIn(dir.Path()), (std::vector<std::string>{"movie.001"}));
}

TEST_F(SplitTest, OldPiecesAreReplacedOnlyWhenTheUserAgrees) {
    // An earlier split left five pieces; the new source makes three.
    for (int i = 1; i <= 5; ++i) WriteFileBytes(dir.File("movie.00" + std::to_string(i)), "old");
    const std::string source = Source("movie.avi", 2 * 1024 + 10);
    std::wstring question;
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                Start(d, dialog, "", 1);
                                question = d.Answer(kSeparateCaption, IDNO);
                                // Nothing touched, the dialog still open.
                                EXPECT_EQ(ReadFileBytes(dir.File("movie.001")), "old");
                                d.Click(dialog, IDOK);
                                d.Answer(kSeparateCaption, IDYES);
                                if (!d.WaitGone(dialog)) d.Fail("split dialog stayed");
                            }));
    EXPECT_NE(question.find(L"movie.004"), std::wstring::npos);
    EXPECT_EQ(FileSize(dir.File("movie.001")), 1024u);
    EXPECT_EQ(FileSize(dir.File("movie.003")), 10u);
    // The stale continuation is gone, so a join cannot take it in.
    EXPECT_FALSE(Exists(dir.File("movie.004")));
    EXPECT_FALSE(Exists(dir.File("movie.005")));
}

TEST_F(SplitTest, TheSourceIsNeverALeftOverOfAnEarlierSplit) {
    // movie.003 split into its own folder beside movie.001 and movie.002 of an
    // earlier split: one new piece, so movie.002 is stale, and the source is not.
    WriteFileBytes(dir.File("movie.001"), "old");
    WriteFileBytes(dir.File("movie.002"), "old");
    const std::string source = Source("movie.003", 3000, 5);
    const std::uint64_t hash = FileHash(source);
    std::wstring question;
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                d.Click(dialog, IDOK);
                                question = d.Answer(kSeparateCaption, IDYES);
                                if (!d.WaitGone(dialog)) d.Fail("split dialog stayed");
                            }));
    EXPECT_EQ(question.find(L"movie.003"), std::wstring::npos);
    EXPECT_EQ(FileHash(source), hash);
    EXPECT_EQ(FileHash(dir.File("movie.001")), hash);
    EXPECT_FALSE(Exists(dir.File("movie.002")));
}

TEST_F(SplitTest, CancelStopsOnlyItsOwnSplit) {
    // Two Explorer windows can split at once in one process: a Cancel in one
    // must neither stop the other nor take its pieces.
    const std::string a = dir.File("a.bin"), b = dir.File("b.bin");
    MakeSparseFile(a, 1ull << 30);
    MakeSparseFile(b, 1ull << 30);
    const std::string outA = dir.File("outa"), outB = dir.File("outb");
    bool otherRanOn = false;
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({a})); }, [&](DialogDriver& d) {
        HWND dialog = d.Expect(kSplitCaption);
        if (!dialog) return;
        Start(d, dialog, outA, 1024);
        HWND progressA = d.Expect(kProgressCaption);
        if (!progressA) return;
        const auto second = RunDriven([&] { SegmentFile(MakeDrop({b})); }, [&](DialogDriver& d2) {
            HWND dialogB = d2.Expect(kSplitCaption);
            if (!dialogB) return;
            Start(d2, dialogB, outB, 1024);
            HWND progressB = d2.Expect(kProgressCaption);
            if (!progressB) return;
            d2.WaitFor([&] { return Exists(outA + "\\a.003") && Exists(outB + "\\b.003"); });
            d.Click(progressA, IDCANCEL);
            if (!d.WaitFor([&] { return d.uiDone.load(); }, 60000)) d2.Fail("the cancelled split did not end");
            otherRanOn = IsWindowVisible(progressB) != FALSE;
            if (!d2.WaitGone(progressB, 120000)) d2.Fail("the other split did not finish");
        });
        for (const std::string& failure : second) d.Fail(failure);
    }));
    EXPECT_LT(FilesIn(outA + "\\").size(), 1025u);
    EXPECT_TRUE(otherRanOn);
    EXPECT_EQ(FilesIn(outB + "\\").size(), 1025u);  // the last piece is empty
}

TEST_F(SplitTest, CancelKeepsThePiecesWritten) {
    // 1 GiB in 1-MiB pieces takes long enough to cancel in the middle.
    const std::string source = dir.File("big.bin");
    MakeSparseFile(source, 1ull << 30);
    const std::string out = dir.File("out");
    bool sawPieces = false;
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                Start(d, dialog, out, 1024);
                                HWND progress = d.Expect(kProgressCaption);
                                if (!progress) return;
                                sawPieces = d.WaitFor([&] { return Exists(out + "\\big.003"); });
                                d.Click(progress, IDCANCEL);
                            }));
    EXPECT_TRUE(sawPieces);
    // The export returned after its worker had ended: nothing more appears,
    // and every piece left is complete.
    const std::vector<std::string> pieces = FilesIn(out + "\\");
    EXPECT_GE(pieces.size(), 3u);
    for (const std::string& piece : pieces) EXPECT_EQ(FileSize(out + "\\" + piece), 1u << 20) << piece;
    Sleep(300);
    EXPECT_EQ(FilesIn(out + "\\"), pieces);
    EXPECT_EQ(events, (std::vector<int>{16, 3}));
}

TEST_F(SplitTest, WithoutASelectionTheFileIsAskedFor) {
    std::vector<FileDialogRequest> requests;
    Services().chooseFile = [&](const FileDialogRequest& r) {
        requests.push_back(r);
        return std::optional<std::string>();
    };
    SegmentFile(nullptr);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].title, L"分割するファイル名の指定");
    EXPECT_EQ(requests[0].filter, L"全ファイル(*.*)|*.*||");
    EXPECT_EQ(requests[0].flags, static_cast<DWORD>(OFN_HIDEREADONLY | OFN_FILEMUSTEXIST));
    EXPECT_TRUE(events.empty());

    const std::string source = Source("movie.avi", 100);
    Services().chooseFile = [&](const FileDialogRequest&) { return std::optional<std::string>(source); };
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(nullptr); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_PREVIEW), "movie.001");
                                d.Click(dialog, IDCANCEL);
                            }));
    EXPECT_EQ(events, (std::vector<int>{4}));
}

TEST_F(SplitTest, SeveralItemsOrAFolderAreNotSplit) {
    const std::string a = Source("a.bin", 10);
    const std::string b = Source("b.bin", 10);
    SegmentFile(MakeDrop({a, b}));
    SegmentFile(MakeDrop({dir.Path()}));
    EXPECT_EQ(events, (std::vector<int>{16, 16}));
}

TEST_F(SplitTest, ATooLongSourceIsNamed) {
    // Longer than the ANSI file calls take, as a drop can hold it.
    const std::string source = dir.File(std::string(MAX_PATH, 'n') + ".avi");
    std::wstring message;
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) { message = d.Answer(kSeparateCaption, IDOK); }));
    message.erase(std::remove(message.begin(), message.end(), L'\n'), message.end());
    EXPECT_NE(message.find(W(source.c_str())), std::wstring::npos);
    EXPECT_EQ(events, (std::vector<int>{16}));
}

TEST_F(SplitTest, PreviewCountsFilesOf4GiBAndMore) {
    const std::string source = dir.File("huge.bin");
    MakeSparseFile(source, 5ull << 30);
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kSplitCaption);
                                if (!dialog) return;
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SPLIT_PREVIEW), "huge.001 ~ huge.3641");
                                d.Click(dialog, IDCANCEL);
                            }));
}

class CabinetTest : public SplitTest {
protected:
    ArchiverBesideProgram archiver_;
};

TEST_F(CabinetTest, VolumesAreWrittenBesideTheSource) {
    const std::string source = Source("movie.avi", 3000000, 7);
    EXPECT_TRUE(SplitToCabinets(source, 1440).empty());
    std::vector<std::string> files = FilesIn(dir.Path());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"movie.avi", "movie1.cab", "movie2.cab", "movie3.cab"}));
    for (const char* volume : {"movie1.cab", "movie2.cab", "movie3.cab"})
        EXPECT_LE(FileSize(dir.File(volume)), 1440u * 1024) << volume;
    EXPECT_EQ(ProfileValue("Segment", "Cabinet"), 1);
    EXPECT_EQ(events, (std::vector<int>{16, 3}));
}

TEST_F(CabinetTest, ArchiverFailuresAreReported) {
    const std::string source = Source("movie.avi", 5000);
    // A folder where the first volume must go: the archiver cannot write it.
    CreateDirectoryA(dir.File("movie1.cab").c_str(), nullptr);
    EXPECT_NE(SplitToCabinets(source, 1440, IDOK).find(L"code 3"), std::wstring::npos);
    RemoveDirectoryA(dir.File("movie1.cab").c_str());
}

TEST_F(SplitTest, TheArchiverIsTakenFromBesideTheLibraryOnly) {
    // Inside Explorer a bare name would also find a copy in Explorer's
    // current folder, and none beside the library where the suite was put.
    const std::string source = Source("movie.avi", 5000);
    TempDir suite, current;
    ASSERT_TRUE(CopyFileA((std::string(MIVORA_DIST_DIR) + "\\Pelmit.dll").c_str(), suite.File("Pelmit.dll").c_str(),
                          FALSE));
    ASSERT_TRUE(CopyFileA(DistCab32().c_str(), current.File("Cab32.dll").c_str(), FALSE));
    char previous[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, previous);
    SetCurrentDirectoryA(current.Path().c_str());
    HMODULE library = LoadLibraryA(suite.File("Pelmit.dll").c_str());
    ASSERT_NE(library, nullptr);
    const auto segment = reinterpret_cast<void (*)(HDROP)>(reinterpret_cast<void*>(GetProcAddress(library, "SegmentFile")));
    EXPECT_NE(SplitToCabinets(source, 1440, IDOK, segment).find(L"can't be loaded"), std::wstring::npos);
    // A library of that name beside it, without the function.
    CopyFileA(suite.File("Pelmit.dll").c_str(), suite.File("Cab32.dll").c_str(), FALSE);
    EXPECT_NE(SplitToCabinets(source, 1440, IDOK, segment).find(L"no Cab function"), std::wstring::npos);
    // The real one beside it.
    CopyFileA(DistCab32().c_str(), suite.File("Cab32.dll").c_str(), FALSE);
    EXPECT_TRUE(SplitToCabinets(source, 1440, 0, segment).empty());
    EXPECT_TRUE(Exists(dir.File("movie1.cab")));
    FreeLibrary(library);
    SetCurrentDirectoryA(previous);
}

TEST_F(CabinetTest, OldVolumesAreReplacedOnlyWhenTheUserAgrees) {
    const std::string source = Source("movie.avi", 5000);
    // Volume 9 follows a gap: it belongs to no set, is not named, and stays.
    for (const char* old : {"movie1.cab", "movie2.cab", "movie3.cab", "movie9.cab"})
        WriteFileBytes(dir.File(old), "old");
    const std::wstring question = SplitToCabinets(source, 1440, IDYES);
    EXPECT_NE(question.find(L"movie3.cab"), std::wstring::npos);
    EXPECT_EQ(question.find(L"movie9.cab"), std::wstring::npos);
    std::vector<std::string> files = FilesIn(dir.Path());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"movie.avi", "movie1.cab", "movie9.cab"}));
    EXPECT_NE(ReadFileBytes(dir.File("movie1.cab")), "old");
}

}  // namespace
