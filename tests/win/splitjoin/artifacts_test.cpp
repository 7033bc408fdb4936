// Outputs for the checkers outside Wine (check_outputs.sh): cabinet volumes
// made through the split dialog and a shortcut made through the shortcut
// dialog, written into the folder that MIVORA_ARTIFACT_DIR names.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "splitjoin/Exports.h"
#include "tests/win/splitjoin/SplitJoinTest.h"
#include "splitjoin/resource.h"

namespace {

class Artifacts : public SplitJoinTest {
protected:
    void SetUp() override {
        const char* folder = std::getenv("MIVORA_ARTIFACT_DIR");
        if (!folder) GTEST_SKIP() << "MIVORA_ARTIFACT_DIR not set";
        out_ = std::string(folder) + "\\";
        SplitJoinTest::SetUp();
    }
    void TearDown() override {
        if (!out_.empty()) SplitJoinTest::TearDown();
    }
    std::string out_;
    ArchiverBesideProgram archiver_;
};

TEST_F(Artifacts, CabinetVolumes) {
    // 3,000,000 bytes that do not compress, in volumes of at most 1440 KB.
    const std::string source = out_ + "source.bin";
    WriteFileBytes(source, RandomBytes(3000000, 11));
    EXPECT_DRIVEN(RunDriven([&] { SegmentFile(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(L"Split file");
                                if (!dialog) return;
                                d.SetCheck(dialog, IDC_SPLIT_CABINET, true);
                                d.Click(dialog, IDOK);
                                if (!d.WaitGone(dialog, 60000)) d.Fail("split dialog stayed");
                            }));
    EXPECT_TRUE(Exists(out_ + "source1.cab"));
    EXPECT_TRUE(Exists(out_ + "source3.cab"));
}

TEST_F(Artifacts, Shortcut) {
    const std::string folder = out_ + "Tools\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    WriteFileBytes(folder + "app.exe", "MZ");
    EXPECT_DRIVEN(RunDriven([&] { CreateShortcut(MakeDrop({folder + "app.exe"})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(L"ショートカットの作成");
                                if (!dialog) return;
                                d.SetText(dialog, IDC_SHORTCUT_LOCATION, out_);
                                d.SetText(dialog, IDC_SHORTCUT_TITLE, "My Tool");
                                d.Click(dialog, IDOK);
                                if (!d.WaitGone(dialog)) d.Fail("shortcut dialog stayed");
                            }));
    EXPECT_TRUE(Exists(out_ + "My Tool.lnk"));
}

}  // namespace
