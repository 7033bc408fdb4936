// The shortcut dialog: its proposals, the folder browser buttons, the link
// written through the shell's link object and read back by it, failures that
// are told rather than passed over, and COM left as it was found.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <thread>

#include "framework/core/ComPtr.h"
#include "splitjoin/Exports.h"
#include "splitjoin/PelmitApp.h"
#include "framework/win32/ScopedHandle.h"
#include "framework/dialogs/Services.h"
#include "splitjoin/ShortcutDlg.h"
#include "tests/win/splitjoin/SplitJoinTest.h"
#include "splitjoin/resource.h"

using namespace splitjoin;

namespace {

const std::wstring kCaption = L"ショートカットの作成";

struct Link {
    std::string target, workDir, description;
};

Link ReadLink(const std::string& file) {
    Link link;
    ComPtr<IShellLinkA> shell;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA, shell.ReceiveVoid())))
        return link;
    ComPtr<IPersistFile> persist;
    shell->QueryInterface(IID_IPersistFile, persist.ReceiveVoid());
    std::wstring wide(file.begin(), file.end());
    if (!persist || FAILED(persist->Load(wide.c_str(), STGM_READ))) return link;
    char text[MAX_PATH] = {};
    shell->GetPath(text, MAX_PATH, nullptr, 0);
    link.target = text;
    shell->GetWorkingDirectory(text, MAX_PATH);
    link.workDir = text;
    shell->GetDescription(text, MAX_PATH);
    link.description = text;
    return link;
}

class ShortcutTest : public SplitJoinTest {
protected:
    std::string Tool(const std::string& name) {
        const std::string folder = dir.File("Tools\\");
        CreateDirectoryA(folder.c_str(), nullptr);
        WriteFileBytes(folder + name, "MZ");
        return folder + name;
    }
};

TEST_F(ShortcutTest, WritesTheProposedLinkBesideTheItem) {
    const std::string app = Tool("app.exe");
    EXPECT_DRIVEN(RunDriven([&] { CreateShortcut(MakeDrop({app})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kCaption);
                                if (!dialog) return;
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SHORTCUT_FILE), app);
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SHORTCUT_TITLE), "app");
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SHORTCUT_LOCATION), dir.File("Tools\\"));
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SHORTCUT_WORKDIR), dir.File("Tools\\"));
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SHORTCUT_NAME), "app.exe");
                                EXPECT_NE(SendMessageW(GetDlgItem(dialog, IDC_SHORTCUT_ICON), STM_GETICON, 0, 0), 0);
                                // The Japanese captions of the template show as they are.
                                EXPECT_EQ(d.Text(dialog, IDCANCEL), L"キャンセル");
                                d.Click(dialog, IDOK);
                                if (!d.WaitGone(dialog)) d.Fail("shortcut dialog stayed");
                            }));
    const Link link = ReadLink(dir.File("Tools\\app.lnk"));
    EXPECT_EQ(link.target, app);
    EXPECT_EQ(link.workDir, dir.File("Tools\\"));
    EXPECT_EQ(link.description, "app");
    EXPECT_EQ(events, (std::vector<int>{14, 3}));
}

TEST_F(ShortcutTest, TheFolderButtonsBrowseFromTheSpecialFolders) {
    const std::string app = Tool("app.exe");
    const std::string target = dir.File("Menu");
    CreateDirectoryA(target.c_str(), nullptr);
    std::vector<FolderDialogRequest> requests;
    Services().chooseFolder = [&](const FolderDialogRequest& r) {
        requests.push_back(r);
        return std::optional<std::string>(target);
    };
    EXPECT_DRIVEN(RunDriven([&] { CreateShortcut(MakeDrop({app})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kCaption);
                                if (!dialog) return;
                                d.Click(dialog, IDC_SHORTCUT_DESKTOP);
                                d.Click(dialog, IDC_SHORTCUT_STARTMENU);
                                d.WaitFor([&] { return requests.size() == 2; });
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SHORTCUT_LOCATION), target);
                                // A title that names the extension gets no second one.
                                d.SetText(dialog, IDC_SHORTCUT_TITLE, "Tool.LNK");
                                d.Click(dialog, IDOK);
                                if (!d.WaitGone(dialog)) d.Fail("shortcut dialog stayed");
                            }));
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0].data, CSIDL_DESKTOPDIRECTORY);
    EXPECT_EQ(requests[1].data, CSIDL_STARTMENU);
    EXPECT_EQ(requests[0].title, L"フォルダの参照");
    EXPECT_EQ(requests[0].flags, static_cast<UINT>(BIF_RETURNONLYFSDIRS));
    EXPECT_EQ(FilesIn(target + "\\"), (std::vector<std::string>{"Tool.LNK"}));
    EXPECT_EQ(ReadLink(target + "\\Tool.LNK").target, app);
}

TEST_F(ShortcutTest, AFailedSaveIsToldAndTheDialogStays) {
    const std::string app = Tool("app.exe");
    std::wstring message;
    EXPECT_DRIVEN(RunDriven([&] { CreateShortcut(MakeDrop({app})); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kCaption);
                                if (!dialog) return;
                                d.SetText(dialog, IDC_SHORTCUT_LOCATION, dir.File("no\\such\\folder"));
                                d.Click(dialog, IDOK);
                                message = d.Answer(kCaption, IDOK);
                                // A name the ANSI calls cannot take is refused, not cut.
                                d.SetText(dialog, IDC_SHORTCUT_LOCATION, dir.File(std::string(250, 'l')));
                                d.Click(dialog, IDOK);
                                d.Answer(kCaption, IDOK);
                                EXPECT_TRUE(IsWindowVisible(dialog));
                                d.Click(dialog, IDCANCEL);
                            }));
    EXPECT_NE(message.find(L"can't be saved"), std::wstring::npos);
    EXPECT_EQ(events, (std::vector<int>{14, 4}));
}

TEST_F(ShortcutTest, CancelOnTheSecondItemStopsTheSelection) {
    const std::vector<std::string> items = {Tool("one.exe"), Tool("two.exe"), Tool("three.exe")};
    EXPECT_DRIVEN(RunDriven([&] { CreateShortcut(MakeDrop(items)); },
                            [&](DialogDriver& d) {
                                HWND dialog = d.Expect(kCaption);
                                if (!dialog) return;
                                d.Click(dialog, IDOK);
                                d.WaitGone(dialog);
                                // The same dialog object opens again with fresh proposals.
                                dialog = d.Expect(kCaption);
                                if (!dialog) return;
                                EXPECT_EQ(d.AnsiText(dialog, IDC_SHORTCUT_TITLE), "two");
                                d.Click(dialog, IDCANCEL);
                                d.WaitGone(dialog);
                                if (!d.NoDialog(kCaption, 500)) d.Fail("third item got a dialog");
                            }));
    EXPECT_TRUE(Exists(dir.File("Tools\\one.lnk")));
    EXPECT_FALSE(Exists(dir.File("Tools\\two.lnk")));
    EXPECT_FALSE(Exists(dir.File("Tools\\three.lnk")));
    EXPECT_EQ(events, (std::vector<int>{14, 3, 4}));
    // No list: nothing at all.
    CreateShortcut(nullptr);
    EXPECT_EQ(events.size(), 3u);
}

TEST_F(ShortcutTest, AThreadInAnotherApartmentKeepsItsCom) {
    // A host thread in the multithreaded apartment: the library's own
    // initialisation fails there and must not be balanced by an uninitialise.
    const std::string app = Tool("app.exe");
    HRESULT after = E_FAIL;
    std::vector<std::string> failures;
    std::thread host([&] {
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        failures = RunDriven([&] { CreateShortcut(MakeDrop({app})); },
                             [&](DialogDriver& d) {
                                 HWND dialog = d.Expect(kCaption);
                                 if (dialog) d.Click(dialog, IDCANCEL);
                             });
        // Still initialised: a second call only counts up.
        after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        if (SUCCEEDED(after)) CoUninitialize();
        CoUninitialize();
    });
    host.join();
    EXPECT_DRIVEN(failures);
    EXPECT_EQ(after, S_FALSE);
}

TEST_F(ShortcutTest, SharedIconsCarryTheOverlay) {
    // The shell under Wine never marks items shared, so the overlay is tested directly.
    const ScopedIcon icon(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_PELMIT),
                                                        IMAGE_ICON, 32, 32, LR_DEFAULTCOLOR)));
    ASSERT_TRUE(icon);
    const ScopedIcon shared(MakeSharedIcon(icon.Get()));
    ASSERT_TRUE(shared);
    EXPECT_NE(shared.Get(), icon.Get());
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(shared.Get(), &info));
    const ScopedBitmap color(info.hbmColor), mask(info.hbmMask);
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 32);
    // The caller's icon is still usable.
    ICONINFO again{};
    EXPECT_TRUE(GetIconInfo(icon.Get(), &again));
    const ScopedBitmap againColor(again.hbmColor), againMask(again.hbmMask);
}

}  // namespace
