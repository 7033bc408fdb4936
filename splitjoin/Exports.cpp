#include "splitjoin/Exports.h"

#include <objbase.h>

#include <string>
#include <vector>

#include "dialogkit/BrowseFolder.h"
#include "framework/win32/CallGuarded.h"
#include "framework/win32/DropPaths.h"
#include "dialogkit/FileRoutines.h"
#include "splitjoin/JapaneseTexts.h"
#include "splitjoin/JoinDlg.h"
#include "framework/dialogs/MessageBox.h"
#include "splitjoin/PelmitApp.h"
#include "splitjoin/core/PieceNames.h"
#include "framework/win32/ScopedHandle.h"
#include "splitjoin/ShellFiles.h"
#include "splitjoin/ShortcutDlg.h"
#include "splitjoin/SplitDlg.h"
#include "splitjoin/SplitProgressDlg.h"
#include "framework/dialogs/Text.h"
#include "dialogkit/VoiceEvents.h"
#include "framework/win32/WideText.h"
#include "splitjoin/resource.h"

namespace splitjoin {

namespace {

enum VoiceEvent { kVoiceOk = 3, kVoiceCancel = 4, kVoiceShortcut = 14, kVoiceSplit = 16, kVoiceJoin = 17 };

const char kSplitCaption[] = "Files Seprate";

void ShowSplitFailure(const RunResult& result) {
    if (result.status == RunStatus::NoMemory) {
        AppMessageBox(std::string("Memory allocation failed!"), MB_OK);
        return;
    }
    MessageBoxW(nullptr, theApp.LoadStringW(IDS_SPLIT_FAILED).c_str(), L"   ", MB_OK | MB_ICONERROR);
}

// The outside cabinet archiver: int WINAPI Cab(HWND, LPCSTR, LPSTR, DWORD).
using CabFunction = int(WINAPI*)(HWND, LPCSTR, LPSTR, DWORD);

void RunCabinet(const std::string& source, int pieceKB) {
    const std::string command = BuildCabCommand(source, pieceKB, SystemLeadByte);
    const ScopedModule library(dialogkit::LoadOutsideLibrary("Cab32.dll"));
    if (!library) {
        // Without the archiver nothing was made, although the start was
        // confirmed with the OK sound: say so.
        MessageBoxA(nullptr, "The cabinet archiver Cab32.dll can't be loaded.", kSplitCaption, MB_OK | MB_ICONERROR);
        return;
    }
    const auto cab = reinterpret_cast<CabFunction>(reinterpret_cast<void*>(GetProcAddress(library.Get(), "Cab")));
    if (!cab) {
        MessageBoxA(nullptr, "Cab32.dll has no Cab function.", kSplitCaption, MB_OK | MB_ICONERROR);
    } else {
        const int result = cab(nullptr, command.c_str(), nullptr, 0);
        if (result != 0) {
            const std::string text = "The cabinet archiver failed (code " + std::to_string(result) + ").";
            MessageBoxA(nullptr, text.c_str(), kSplitCaption, MB_OK | MB_ICONERROR);
        }
    }
}

// Removes what the user agreed to replace; false (and told) when a file stays,
// since a later join would take it in. The source is never among them; should
// a name reach it all the same, it is kept and nothing more is deleted.
bool RemoveReplaced(const std::vector<std::string>& files, const std::string& source) {
    for (const std::string& file : files) {
        if (SameFile(file, source)) {
            MessageBoxA(nullptr, (file + "\nThis is the file being split; it is not deleted.").c_str(), kSplitCaption,
                        MB_OK | MB_ICONERROR);
            return false;
        }
        if (!DeleteFileA(file.c_str()) && GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES) {
            const std::string text = file + "\nThis file of an earlier split can't be deleted: " +
                                      SystemErrorText(GetLastError());
            MessageBoxA(nullptr, text.c_str(), kSplitCaption, MB_OK | MB_ICONERROR);
            return false;
        }
    }
    return true;
}

void Segment(HDROP drop) {
    std::string source;
    if (drop) {
        const ScopedDrop finished(drop);
        dialogkit::PlayVoiceEvent(kVoiceSplit);
        const std::vector<std::string> items = DropPaths(drop);
        if (items.size() != 1) return;
        const std::string& item = items[0];
        if (item.size() >= MAX_PATH) {
            // The file calls cannot reach it: say which one, rather than nothing.
            // A message box breaks lines at blanks only, and paths rarely have one.
            const std::string text = WrapPathLines(item, 64, SystemLeadByte) +
                                     "\n\nThis path is too long: a file to split can have a path of at most " +
                                     std::to_string(MAX_PATH - 1) + " characters.";
            MessageBoxA(nullptr, text.c_str(), kSplitCaption, MB_OK | MB_ICONERROR);
            return;
        }
        if (!item.empty() && !IsShellFolder(item)) source = item;
    } else {
        const auto chosen = ChooseInputFile(nullptr, WideFromCodePage(932, kSegmentOpenTitle),
                                            WideFromCodePage(932, kSegmentOpenFilter));
        if (chosen) source = *chosen;
    }
    if (source.empty()) return;

    CSplitDlg dialog;
    dialog.source_ = source;
    if (dialog.DoModal() != IDOK) {
        dialogkit::PlayVoiceEvent(kVoiceCancel);
        return;
    }
    dialogkit::PlayVoiceEvent(kVoiceOk);
    if (!RemoveReplaced(dialog.replaced_, source)) return;
    if (dialog.cabinet_) {
        RunCabinet(source, dialog.pieceKB_);
        return;
    }
    CSplitProgressDlg progress;
    progress.source_ = source;
    progress.destination_ = dialog.destination_;
    progress.pieceKB_ = dialog.pieceKB_;
    progress.DoModal();
    const RunResult result = progress.Result();
    if (result.Failed()) ShowSplitFailure(result);
}

void Join(HDROP drop) {
    dialogkit::PlayVoiceEvent(kVoiceJoin);
    CJoinDlg dialog;
    dialog.drop_ = drop;
    dialogkit::PlayVoiceEvent(dialog.DoModal() == IDOK ? kVoiceOk : kVoiceCancel);
}

void Shortcuts(HDROP drop) {
    if (!drop) return;
    dialogkit::PlayVoiceEvent(kVoiceShortcut);
    CShortcutDlg dialog;
    // The calling thread may already be in another apartment (RPC_E_CHANGED_MODE):
    // then this call took no reference and must not be balanced.
    const HRESULT com = CoInitialize(nullptr);
    for (const std::string& item : ReadDropList(drop)) {
        dialog.filePath_ = item;
        if (dialog.DoModal() != IDOK) {
            dialogkit::PlayVoiceEvent(kVoiceCancel);
            break;
        }
        dialogkit::PlayVoiceEvent(kVoiceOk);
    }
    if (SUCCEEDED(com)) CoUninitialize();
}

}  // namespace

}  // namespace splitjoin

// Each export first makes sure the application object has been set up (its
// name and settings key), on the caller's first call into the library.
extern "C" void SegmentFile(HDROP drop) {
    CallGuarded([&] {
        GetApp();
        splitjoin::Segment(drop);
    });
}

extern "C" void JoinFiles(HDROP drop) {
    CallGuarded([&] {
        GetApp();
        splitjoin::Join(drop);
    });
}

extern "C" void CreateShortcut(HDROP drop) {
    CallGuarded([&] {
        GetApp();
        splitjoin::Shortcuts(drop);
    });
}
