// The copy hook, called as the shell calls it before a folder operation.
#include <gtest/gtest.h>

#include "tests/win/explorer/ExplorerTestSupport.h"

namespace {

const CLSID kKestiv = {0x29F97553, 0xFBD6, 0x11D1, {0xAF, 0xC1, 0x00, 0xA0, 0x24, 0xD1, 0x87, 0x5C}};

// Wakes a hung bar after 15 s unless told that it is done.
struct Watchdog {
    TolvexWindow* bar;
    HANDLE done;
    static DWORD WINAPI Run(void* param) {
        auto* self = static_cast<Watchdog*>(param);
        if (WaitForSingleObject(self->done, 15000) == WAIT_TIMEOUT) self->bar->Release();
        return 0;
    }
};

class KestivTest : public ::testing::Test {
protected:
    KestivTest() : library(DistFile("Kestiv.dll")) {}
    void SetUp() override {
        ASSERT_EQ(S_OK, CreateFromLibrary(library, kKestiv, IID_ICopyHookA, hook));
    }
    UINT Copy(const char* destination) {
        return hook->CopyCallback(nullptr, FO_COPY, 0, "C:\\source\\X", FILE_ATTRIBUTE_DIRECTORY, destination,
                                  FILE_ATTRIBUTE_DIRECTORY);
    }
    Library library;
    ComPtr<ICopyHookA> hook;
};

TEST_F(KestivTest, SendsTheDestinationFolderToTheBar) {
    struct Case {
        const char* destination;
        const char* folder;
    };
    const Case cases[] = {
        {"C:\\target\\X", "C:\\target"},
        {"D:\\X", "D:\\"},
        {"C:\\a\\b\\c", "C:\\a\\b"},
        {"\\\\server\\share\\dir", "\\\\server\\share"},
        {"E:name", "E:"},
        {"C:\\trailing\\", "C:\\trailing"},
    };
    TolvexWindow bar;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.destination);
        EXPECT_EQ(UINT(IDYES), Copy(c.destination));
        const auto notices = bar.Notices();
        ASSERT_FALSE(notices.empty());
        EXPECT_EQ(c.folder, notices.back().name);
        EXPECT_EQ(LPARAM(-1), notices.back().lParam);
        EXPECT_NE(0u, notices.back().atom);
        // The atom was deleted once the bar had read it.
        EXPECT_EQ(0, GlobalFindAtomA(c.folder));
    }
    EXPECT_EQ(std::size(cases), bar.Notices().size());
}

TEST_F(KestivTest, EveryOperationKindIsAllowed) {
    TolvexWindow bar;
    for (UINT func : {FO_MOVE, FO_COPY, FO_DELETE, FO_RENAME}) {
        EXPECT_EQ(UINT(IDYES), hook->CopyCallback(nullptr, func, FOF_SILENT, "C:\\a", 0, "C:\\b\\a", 0));
    }
    EXPECT_EQ(4u, bar.Notices().size());
}

TEST_F(KestivTest, EmptyDestinationSendsAtomZero) {
    TolvexWindow bar;
    EXPECT_EQ(UINT(IDYES), Copy(""));
    EXPECT_EQ(UINT(IDYES), Copy(nullptr));
    const auto notices = bar.Notices();
    ASSERT_EQ(2u, notices.size());
    for (const auto& n : notices) {
        EXPECT_EQ(0u, n.atom);
        EXPECT_EQ(LPARAM(-1), n.lParam);
    }
}

TEST_F(KestivTest, WithoutTheBarNothingIsSent) {
    ASSERT_EQ(nullptr, FindWindowA("Tolvex", nullptr));
    EXPECT_EQ(UINT(IDYES), Copy("C:\\nobar\\X"));
    EXPECT_EQ(0, GlobalFindAtomA("C:\\nobar"));
}

// A bar that does not pump messages must not stall the shell's copy for
// long, and the atom is gone when the bar gets to the notice later.
TEST_F(KestivTest, AHungBarDoesNotHoldUpTheOperation) {
    TolvexWindow bar(/*hung=*/true);
    // Should the notice wait for the bar, the bar wakes up after 15 s and the
    // time check fails instead of the test hanging.
    Watchdog dog{&bar, CreateEventA(nullptr, TRUE, FALSE, nullptr)};
    HANDLE watchdog = CreateThread(nullptr, 0, Watchdog::Run, &dog, 0, nullptr);
    const DWORD start = GetTickCount();
    EXPECT_EQ(UINT(IDYES), Copy("C:\\hung\\X"));
    const DWORD elapsed = GetTickCount() - start;
    // The notice gives up after 3 s; the margin is for a loaded machine.
    EXPECT_LT(elapsed, 7500u);
    EXPECT_EQ(0, GlobalFindAtomA("C:\\hung"));
    SetEvent(dog.done);
    WaitForSingleObject(watchdog, INFINITE);
    CloseHandle(watchdog);
    CloseHandle(dog.done);
    bar.Release();
}

}  // namespace
