// The join dialog and the join run: the series found from one piece, the
// list's editing and sorting, the refusals that keep a join from reading its
// own output or a broken series, replace or append, failures and cancel that
// leave the output as it was, the end mark and the join-next road.
#include <windows.h>
#include <commdlg.h>

#include <gtest/gtest.h>

#include "splitjoin/Exports.h"
#include "splitjoin/PelmitApp.h"
#include "framework/dialogs/Services.h"
#include "tests/win/splitjoin/SplitJoinTest.h"
#include "splitjoin/resource.h"

using namespace splitjoin;

namespace {

const std::wstring kJoinCaption = L"Join files";

class JoinTest : public SplitJoinTest {
protected:
    // Files a.<n> with the given contents.
    std::vector<std::string> Pieces(const std::string& base, const std::vector<std::string>& contents, int first = 1) {
        std::vector<std::string> paths;
        for (std::size_t i = 0; i < contents.size(); ++i) {
            char number[16];
            snprintf(number, sizeof number, "%03d", first + static_cast<int>(i));
            paths.push_back(dir.File(base + "." + number));
            WriteFileBytes(paths.back(), contents[i]);
        }
        return paths;
    }
    static std::vector<std::wstring> Names(DialogDriver& d, HWND dialog) {
        return d.ListColumn(dialog, IDC_JOIN_LIST, 0);
    }
    // Opens the join on `drop`, runs `script` on its dialog.
    std::vector<std::string> Join(const std::vector<std::string>& drop,
                                  const std::function<void(DialogDriver&, HWND)>& script) {
        return RunDriven([&] { JoinFiles(drop.empty() ? nullptr : MakeDrop(drop)); },
                         [&](DialogDriver& d) {
                             HWND dialog = d.Expect(kJoinCaption);
                             if (dialog) script(d, dialog);
                         });
    }
    static void Ok(DialogDriver& d, HWND dialog) {
        d.Click(dialog, IDOK);
        if (!d.WaitGone(dialog, 60000)) d.Fail("join dialog stayed");
    }
};

TEST_F(JoinTest, OnePieceBringsItsWholeSeries) {
    const auto pieces = Pieces("movie", {"1", "2", "3", "4"});
    EXPECT_DRIVEN(Join({pieces[1]}, [&](DialogDriver& d, HWND dialog) {
        EXPECT_EQ(Names(d, dialog), (std::vector<std::wstring>{L"movie.001", L"movie.002", L"movie.003", L"movie.004"}));
        EXPECT_EQ(d.ListColumn(dialog, IDC_JOIN_LIST, 1), (std::vector<std::wstring>{L"1", L"1", L"1", L"1"}));
        EXPECT_EQ(d.AnsiText(dialog, IDC_JOIN_OUTPUT), dir.File("movie"));
        // The two settings' boxes are there, but hidden.
        EXPECT_FALSE(d.IsVisible(dialog, IDC_JOIN_NEXT));
        EXPECT_FALSE(d.IsVisible(dialog, IDC_JOIN_NO_EOF));
        Ok(d, dialog);
    }));
    EXPECT_EQ(ReadFileBytes(dir.File("movie")), "1234");
    EXPECT_EQ(events, (std::vector<int>{17, 3}));
    EXPECT_EQ(ProfileValue("Join", "JoinNext"), 0);
    EXPECT_EQ(ProfileValue("Join", "Eof"), 0);
}

TEST_F(JoinTest, RowsMoveAndGoAsTheButtonsSay) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFileBytes(dir.File(name), name);
    EXPECT_DRIVEN(Join({dir.File("a.txt"), dir.File("b.txt"), dir.File("c.txt")}, [&](DialogDriver& d, HWND dialog) {
        EXPECT_EQ(Names(d, dialog), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"c.txt"}));
        EXPECT_EQ(d.AnsiText(dialog, IDC_JOIN_OUTPUT), "");
        // Down on row 2 of 3: it moves to row 3 and stays selected.
        d.SelectRow(dialog, IDC_JOIN_LIST, 1);
        d.Click(dialog, IDC_JOIN_DOWN);
        d.WaitFor([&] { return Names(d, dialog)[2] == L"b.txt"; });
        EXPECT_EQ(Names(d, dialog), (std::vector<std::wstring>{L"a.txt", L"c.txt", L"b.txt"}));
        EXPECT_EQ(d.SelectedRow(dialog, IDC_JOIN_LIST), 2);
        // Down on the last row changes nothing; Up moves it back.
        d.Click(dialog, IDC_JOIN_DOWN);
        d.Click(dialog, IDC_JOIN_UP);
        d.WaitFor([&] { return Names(d, dialog)[1] == L"b.txt"; });
        EXPECT_EQ(Names(d, dialog), (std::vector<std::wstring>{L"a.txt", L"b.txt", L"c.txt"}));
        // Up on the first row changes nothing.
        d.SelectRow(dialog, IDC_JOIN_LIST, 0);
        d.Click(dialog, IDC_JOIN_UP);
        // Delete takes the row; the next one is selected.
        d.Click(dialog, IDC_JOIN_DELETE);
        d.WaitFor([&] { return Names(d, dialog).size() == 2; });
        EXPECT_EQ(Names(d, dialog), (std::vector<std::wstring>{L"b.txt", L"c.txt"}));
        EXPECT_EQ(d.SelectedRow(dialog, IDC_JOIN_LIST), 0);
        d.SetText(dialog, IDC_JOIN_OUTPUT, dir.File("out.txt"));
        Ok(d, dialog);
    }));
    EXPECT_EQ(ReadFileBytes(dir.File("out.txt")), "b.txtc.txt");
}

TEST_F(JoinTest, ColumnClicksSortUpThenDown) {
    WriteFileBytes(dir.File("x.bin"), std::string(30, 'x'));
    WriteFileBytes(dir.File("y.bin"), std::string(10, 'y'));
    WriteFileBytes(dir.File("z.bin"), std::string(20, 'z'));
    SortDescending = false;
    EXPECT_DRIVEN(Join({dir.File("x.bin"), dir.File("y.bin"), dir.File("z.bin")}, [&](DialogDriver& d, HWND dialog) {
        d.ClickColumn(dialog, IDC_JOIN_LIST, 1);
        EXPECT_EQ(d.ListColumn(dialog, IDC_JOIN_LIST, 1), (std::vector<std::wstring>{L"10", L"20", L"30"}));
        d.ClickColumn(dialog, IDC_JOIN_LIST, 1);
        EXPECT_EQ(d.ListColumn(dialog, IDC_JOIN_LIST, 1), (std::vector<std::wstring>{L"30", L"20", L"10"}));
        // The direction flips on any column.
        d.ClickColumn(dialog, IDC_JOIN_LIST, 0);
        EXPECT_EQ(Names(d, dialog), (std::vector<std::wstring>{L"x.bin", L"y.bin", L"z.bin"}));
        d.Click(dialog, IDCANCEL);
    }));
    EXPECT_EQ(events, (std::vector<int>{17, 4}));
}

TEST_F(JoinTest, TheOutputIsNeverOneOfTheInputs) {
    // data.003 is a hard link of "joined": replacing that output must not
    // empty it before the link is found.
    const auto pieces = Pieces("data", {"a", "b"});
    const std::string joined = dir.File("joined");
    WriteFileBytes(joined, "precious");
    ASSERT_TRUE(CreateHardLinkA(dir.File("data.003").c_str(), joined.c_str(), nullptr));
    struct Case {
        std::string output;
        std::string keeps;  // the output's bytes afterwards
    };
    // The same file in other letters and through "..", and through a link.
    for (const Case& c : {Case{dir.File("sub\\..\\DATA.002"), "b"}, Case{joined, "precious"}}) {
        std::wstring message;
        EXPECT_DRIVEN(Join({pieces[0]}, [&](DialogDriver& d, HWND dialog) {
            d.SetText(dialog, IDC_JOIN_OUTPUT, c.output);
            d.Click(dialog, IDOK);
            message = d.Answer(L"Files jion", IDOK);
            EXPECT_TRUE(IsWindowVisible(dialog));
            d.Click(dialog, IDCANCEL);
        }));
        EXPECT_EQ(message, L"Two folder's name are same.") << c.output;
        EXPECT_EQ(ReadFileBytes(c.output), c.keeps);
    }
}

TEST_F(JoinTest, CabinetFilesAreRefused) {
    const std::string folder = dir.File("Old.CABINET\\");
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "part.001", "x");
    std::wstring message;
    EXPECT_DRIVEN(Join({folder + "part.001"}, [&](DialogDriver& d, HWND dialog) {
        d.SetText(dialog, IDC_JOIN_OUTPUT, dir.File("out"));
        d.Click(dialog, IDOK);
        message = d.Answer(L"Pelmit", IDOK);
        d.Click(dialog, IDCANCEL);
    }));
    EXPECT_EQ(message, L"This format file can't  be joined.");
    EXPECT_FALSE(Exists(dir.File("out")));
}

TEST_F(JoinTest, AMissingMiddlePieceIsRefused) {
    Pieces("movie", {"1", "2"});
    Pieces("movie", {"4"}, 4);
    std::wstring message;
    EXPECT_DRIVEN(Join({dir.File("movie.001")}, [&](DialogDriver& d, HWND dialog) {
        EXPECT_EQ(Names(d, dialog), (std::vector<std::wstring>{L"movie.001", L"movie.002"}));
        d.Click(dialog, IDOK);
        message = d.Answer(L"Files join", IDOK);
        d.Click(dialog, IDCANCEL);
    }));
    EXPECT_NE(message.find(L"movie.003"), std::wstring::npos);
    EXPECT_NE(message.find(L"missing"), std::wstring::npos);
    EXPECT_FALSE(Exists(dir.File("movie")));
    // Dropping a piece above the gap: the start of the file is missing.
    message.clear();
    EXPECT_DRIVEN(Join({dir.File("movie.004")}, [&](DialogDriver& d, HWND dialog) {
        d.Click(dialog, IDOK);
        message = d.Answer(L"Files join", IDOK);
        d.Click(dialog, IDCANCEL);
    }));
    EXPECT_NE(message.find(L"movie.003"), std::wstring::npos);
    EXPECT_EQ(events, (std::vector<int>{17, 4, 17, 4}));
}

TEST_F(JoinTest, AnExistingOutputIsReplacedOrAppendedAsTheUserSays) {
    const auto pieces = Pieces("p", {"AB", "CD"});
    struct Case {
        int answer;
        std::string result;
    };
    for (const Case& c : {Case{IDCANCEL, "old"}, Case{IDNO, "oldABCD"}, Case{IDYES, "ABCD"}}) {
        WriteFileBytes(dir.File("p"), "old");
        EXPECT_DRIVEN(Join({pieces[0]}, [&](DialogDriver& d, HWND dialog) {
            d.Click(dialog, IDOK);
            d.Answer(L"Files join", c.answer);
            if (c.answer == IDCANCEL) {
                EXPECT_TRUE(IsWindowVisible(dialog));
                d.Click(dialog, IDCANCEL);
            } else if (!d.WaitGone(dialog)) {
                d.Fail("join dialog stayed");
            }
        }));
        EXPECT_EQ(ReadFileBytes(dir.File("p")), c.result) << c.answer;
    }
}

TEST_F(JoinTest, TheSaveDialogsAnswerCounts) {
    const auto pieces = Pieces("q", {"1", "2"});
    WriteFileBytes(dir.File("target"), "old");
    std::vector<FileDialogRequest> requests;
    Services().chooseFile = [&](const FileDialogRequest& r) {
        requests.push_back(r);
        return std::optional<std::string>(dir.File("target"));
    };
    EXPECT_DRIVEN(Join({pieces[0]}, [&](DialogDriver& d, HWND dialog) {
        d.Click(dialog, IDC_JOIN_BROWSE);
        d.WaitFor([&] { return d.AnsiText(dialog, IDC_JOIN_OUTPUT) == dir.File("target"); });
        Ok(d, dialog);
    }));
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_TRUE(requests[0].save);
    EXPECT_EQ(requests[0].title, L"Files Join");
    EXPECT_TRUE(requests[0].flags & OFN_OVERWRITEPROMPT);
    // The Save dialog asked already: replaced without a second question.
    EXPECT_EQ(ReadFileBytes(dir.File("target")), "12");
}

TEST_F(JoinTest, AMissingInputIsReportedAndTheOutputLeftAlone) {
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) WriteFileBytes(dir.File(name), name);
    std::wstring message;
    EXPECT_DRIVEN(Join({dir.File("a.txt"), dir.File("b.txt"), dir.File("c.txt")}, [&](DialogDriver& d, HWND dialog) {
        d.SetText(dialog, IDC_JOIN_OUTPUT, dir.File("out.txt"));
        DeleteFileA(dir.File("b.txt").c_str());
        d.Click(dialog, IDOK);
        message = d.Answer(L"Files join", IDOK);
    }));
    EXPECT_NE(message.find(L"b.txt"), std::wstring::npos);
    EXPECT_FALSE(Exists(dir.File("out.txt")));
    // A failure is no success: no OK sound.
    EXPECT_EQ(events, (std::vector<int>{17, 4}));
}

TEST_F(JoinTest, CancelLeavesTheOutputAsItWas) {
    // Four sparse pieces of 256 MiB: long enough to cancel in the middle.
    std::vector<std::string> pieces;
    for (int i = 1; i <= 4; ++i) {
        pieces.push_back(dir.File("big.00" + std::to_string(i)));
        MakeSparseFile(pieces.back(), 256ull << 20);
    }
    // A new output, then an old one appended to (No) and replaced (Yes).
    for (int answer : {0, IDNO, IDYES}) {
        SCOPED_TRACE(answer);
        if (answer) WriteFileBytes(dir.File("big"), "keep");
        bool sawData = false;
        EXPECT_DRIVEN(Join({pieces[0]}, [&](DialogDriver& d, HWND dialog) {
            d.Click(dialog, IDOK);
            if (answer) d.Answer(L"Files join", answer);
            HWND progress = d.Expect(L"Joining ......");
            if (!progress) return;
            // A replacing join writes beside the output under a temporary name.
            sawData = d.WaitFor(
                [&] { return FileSize(dir.File("big")) + FileSize(dir.File("~01")) > (64u << 20); });
            d.Click(progress, IDCANCEL);
        }));
        EXPECT_TRUE(sawData);
        EXPECT_EQ(FilesIn(dir.Path()).size(), answer ? 5u : 4u);
        if (answer) {
            EXPECT_EQ(ReadFileBytes(dir.File("big")), "keep");
        } else {
            EXPECT_FALSE(Exists(dir.File("big")));
        }
    }
    // A join the user started and then cancelled still sounds OK.
    EXPECT_EQ(events, (std::vector<int>{17, 3, 17, 3, 17, 3}));
}

TEST_F(JoinTest, TheEndMarkSettingDropsFinalMarksOnly) {
    SetProfileValue("Join", "Eof", 1);
    const auto pieces = Pieces("t", {"ab\x1A", "c\x1A" "d", "e\x1A"});
    EXPECT_DRIVEN(Join({pieces[0]}, [&](DialogDriver& d, HWND dialog) {
        EXPECT_TRUE(d.IsChecked(dialog, IDC_JOIN_NO_EOF));
        Ok(d, dialog);
    }));
    EXPECT_EQ(ReadFileBytes(dir.File("t")), "abc\x1A" "de");
    EXPECT_EQ(ProfileValue("Join", "Eof"), 1);
}

TEST_F(JoinTest, JoinNextAsksForFurtherFilesUntilStopped) {
    SetProfileValue("Join", "JoinNext", 1);
    const auto pieces = Pieces("n", {"1", "2"});
    WriteFileBytes(dir.File("more.txt"), "+more");
    std::wstring missing;
    EXPECT_DRIVEN(Join({pieces[0]}, [&](DialogDriver& d, HWND dialog) {
        d.Click(dialog, IDOK);
        HWND name = d.Expect(L"File name set");
        if (!name) return;
        d.SetText(name, IDC_NAME_FIELD, dir.File("none.txt"));
        d.Click(name, IDOK);
        missing = d.Answer(L"Files join", IDOK);
        d.SetText(name, IDC_NAME_FIELD, "  " + dir.File("more.txt") + " ");
        d.Click(name, IDOK);
        d.WaitGone(name);
        // Asked again after the further file; the output's own name ends the run.
        name = d.Expect(L"File name set");
        if (!name) return;
        d.SetText(name, IDC_NAME_FIELD, dir.File("N"));
        d.Click(name, IDOK);
        if (!d.WaitGone(dialog)) d.Fail("join dialog stayed");
    }));
    EXPECT_EQ(missing, W(dir.File("none.txt").c_str()) + L".\nCan't find file");
    EXPECT_EQ(ReadFileBytes(dir.File("n")), "12+more");
}

TEST_F(JoinTest, WithoutASelectionTheListStartsEmpty) {
    WriteFileBytes(dir.File("added.bin"), "added");
    Services().chooseFile = [&](const FileDialogRequest& r) {
        EXPECT_EQ(r.title, L"Select file to join");
        return std::optional<std::string>(dir.File("added.bin"));
    };
    EXPECT_DRIVEN(Join({}, [&](DialogDriver& d, HWND dialog) {
        EXPECT_TRUE(Names(d, dialog).empty());
        d.Click(dialog, IDC_JOIN_ADD);
        d.WaitFor([&] { return Names(d, dialog).size() == 1; });
        EXPECT_EQ(d.SelectedRow(dialog, IDC_JOIN_LIST), 0);
        d.SetText(dialog, IDC_JOIN_OUTPUT, dir.File("copy.bin"));
        Ok(d, dialog);
    }));
    EXPECT_EQ(ReadFileBytes(dir.File("copy.bin")), "added");
    EXPECT_EQ(events, (std::vector<int>{17, 3}));
}

}  // namespace
