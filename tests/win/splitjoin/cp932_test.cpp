// Japanese file names under the Japanese ANSI code page (run with
// LC_ALL=ja_JP.UTF-8, which gives Wine code page 932): "表" and "ソ" end in
// the byte 0x5C, a backslash to any byte-wise path scan. Without the
// Japanese C library locale Wine cannot make such files on the Linux side,
// so the dialogs are shown names of files that are not there: what they
// derive from a name is what counts here.
#include <windows.h>

#include <gtest/gtest.h>

#include "splitjoin/Exports.h"
#include "splitjoin/JapaneseTexts.h"
#include "tests/win/splitjoin/SplitJoinTest.h"
#include "splitjoin/resource.h"

using namespace splitjoin;

namespace {

TEST(Cp932Texts, PelmitsJapaneseTextsBecomeTheRightUtf16) {
    ExpectCp932Texts({
        {kSegmentOpenFilter, L"全ファイル(*.*)|*.*||"},
        {kSegmentOpenTitle, L"分割するファイル名の指定"},
        {kJoinNextOpenFilter, L"ファイル(*.*)|*.*||"},
        {kJoinNextOpenTitle, L"連結ファイルの"},
        {kFolderBrowseTitle, L"フォルダの参照"},
        {kShortcutCaption, L"ショートカットの作成"},
    });
}

class Cp932Paths : public SplitJoinTest {
protected:
    void SetUp() override {
        if (GetACP() != 932) GTEST_SKIP() << "needs the Japanese ANSI code page";
        SplitJoinTest::SetUp();
    }
    void TearDown() override {
        if (GetACP() == 932) SplitJoinTest::TearDown();
    }
    const std::string hyo = "\x95\x5C";  // 表
    const std::string so = "\x83\x5C";   // ソ
};

TEST_F(Cp932Paths, SplitDialogKeepsDoubleByteNamesWhole) {
    const std::string folder = "C:\\" + hyo + "\\";
    const std::string source = folder + so + ".avi";
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(L"Split file");
                                if (!dialog) return;
                                EXPECT_EQ(d.Text(dialog, IDC_SPLIT_SOURCE), L"C:\\表\\ソ.avi");
                                // The source's own folder, its name not cut at the trail byte.
                                EXPECT_EQ(d.Text(dialog, IDC_SPLIT_DEST), L"C:\\表\\");
                                EXPECT_EQ(d.Text(dialog, IDC_SPLIT_PREVIEW), L"ソ.001");
                                d.SetCheck(dialog, IDC_SPLIT_CABINET, true);
                                d.WaitFor([&] { return d.Text(dialog, IDC_SPLIT_PREVIEW) == L"ソ1.cab"; });
                                EXPECT_EQ(d.Text(dialog, IDC_SPLIT_PREVIEW), L"ソ1.cab");
                                d.Click(dialog, IDCANCEL);
                            }));
    EXPECT_EQ(events, (std::vector<int>{16, 4}));
}

TEST_F(Cp932Paths, JoinDialogFindsTheNumberAfterADoubleByteName) {
    const std::string piece = "C:\\" + hyo + "\\" + so + ".002";
    EXPECT_DRIVEN(RunDriven([&] { JoinFiles(MakeDrop({piece})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(L"Join files");
                                if (!dialog) return;
                                EXPECT_EQ(d.ListColumn(dialog, IDC_JOIN_LIST, 0), (std::vector<std::wstring>{L"ソ.002"}));
                                EXPECT_EQ(d.Text(dialog, IDC_JOIN_OUTPUT), L"C:\\表\\ソ");
                                d.Click(dialog, IDCANCEL);
                            }));
}

}  // namespace
