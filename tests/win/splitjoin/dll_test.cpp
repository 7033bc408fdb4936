// The library as its callers load it: Pelmit.dll from the deliverables,
// loaded by name, called through its exports, unloaded right after.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/win32/ScopedHandle.h"
#include "tests/win/splitjoin/SplitJoinTest.h"
#include "splitjoin/resource.h"

namespace {

using ExportFn = void (*)(HDROP);

class PelmitDll : public SplitJoinTest {
protected:
    void SetUp() override {
        SplitJoinTest::SetUp();
        library_.Reset(LoadLibraryA((std::string(MIVORA_DIST_DIR) + "/Pelmit.dll").c_str()));
        ASSERT_TRUE(library_);
    }
    void TearDown() override {
        library_.Reset();
        SplitJoinTest::TearDown();
    }
    ExportFn Export(const char* name) const {
        return reinterpret_cast<ExportFn>(reinterpret_cast<void*>(GetProcAddress(library_.Get(), name)));
    }
    ScopedModule library_;
};

TEST_F(PelmitDll, ExportsByNameAndOrdinal) {
    const struct {
        const char* name;
        WORD ordinal;
    } exports[] = {{"CreateShortcut", 1}, {"JoinFiles", 2}, {"SegmentFile", 3}};
    for (const auto& e : exports) {
        const ExportFn byName = Export(e.name);
        ASSERT_NE(byName, nullptr) << e.name;
        EXPECT_EQ(reinterpret_cast<void*>(byName),
                  reinterpret_cast<void*>(GetProcAddress(library_.Get(), MAKEINTRESOURCEA(e.ordinal))))
            << e.name;
    }
}

TEST_F(PelmitDll, SplitsAndJoinsUnderItsOwnName) {
    const std::string source = dir.File("movie.avi");
    WriteFileBytes(source, RandomBytes(3000000, 3));
    const std::uint64_t hash = FileHash(source);
    const ExportFn segment = Export("SegmentFile");
    const ExportFn join = Export("JoinFiles");
    EXPECT_DRIVEN(RunDriven([&] { segment(MakeDrop({source})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(L"Split file");
                                if (!dialog) return;
                                d.SetText(dialog, IDC_SPLIT_DEST, dir.File("out"));
                                d.Click(dialog, IDOK);
                                if (!d.WaitGone(dialog)) d.Fail("split dialog stayed");
                            }));
    // The library took its settings' name from its file name.
    EXPECT_EQ(ProfileValue("Segment", "Size"), 1440);
    EXPECT_EQ(FilesIn(dir.File("out\\")).size(), 3u);
    EXPECT_DRIVEN(RunDriven([&] { join(MakeDrop({dir.File("out\\movie.003")})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(L"Join files");
                                if (!dialog) return;
                                d.Click(dialog, IDOK);
                                if (!d.WaitGone(dialog)) d.Fail("join dialog stayed");
                            }));
    EXPECT_EQ(FileHash(dir.File("out\\movie")), hash);
}

TEST_F(PelmitDll, CanBeUnloadedAsSoonAsACancelledSplitReturns) {
    // The context menu frees the library right after the call: no worker of
    // it may still be running then.
    const std::string source = dir.File("big.bin");
    MakeSparseFile(source, 1ull << 30);
    const ExportFn segment = Export("SegmentFile");
    EXPECT_DRIVEN(RunDriven(
        [&] {
            segment(MakeDrop({source}));
            library_.Reset();
        },
        [&](DialogDriver& d) {
            HWND dialog = d.Expect(L"Split file");
            if (!dialog) return;
            d.SetText(dialog, IDC_SPLIT_DEST, dir.File("out"));
            TypeOtherSize(d, dialog, "1024");
            d.Click(dialog, IDOK);
            HWND progress = d.Expect(L"Running ......");
            if (!progress) return;
            d.WaitFor([&] { return Exists(dir.File("out\\big.002")); });
            d.Click(progress, IDCANCEL);
        }));
    // The pieces written stay; no worker adds one after the return.
    const std::vector<std::string> kept = FilesIn(dir.File("out\\"));
    Sleep(500);
    EXPECT_EQ(FilesIn(dir.File("out\\")), kept);
    // Two items: the list is released, no dialog, and nothing more plays.
    library_.Reset(LoadLibraryA((std::string(MIVORA_DIST_DIR) + "/Pelmit.dll").c_str()));
    ASSERT_TRUE(library_);
    Export("SegmentFile")(MakeDrop({source, source}));
}

}  // namespace
