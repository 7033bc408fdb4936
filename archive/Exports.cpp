#include "Exports.h"

#include "CallGuarded.h"
#include "CompressApp.h"
#include "FileRoutines.h"
#include "PackDlg.h"
#include "ScopedHandle.h"
#include "VoiceEvents.h"

namespace {

enum VoiceEvent { kVoiceOk = 3, kVoiceCancel = 4, kVoicePack = 11 };

void Pack(HDROP drop) {
    // The list is the library's to free, after OK and Cancel alike.
    const ScopedDrop list(drop);
    dialogkit::PlayVoiceEvent(kVoicePack);
    CCompressDlg dialog;
    dialog.items_ = dialogkit::ReadDropList(drop);
    dialogkit::PlayVoiceEvent(dialog.DoModal() == IDOK ? kVoiceOk : kVoiceCancel);
}

void NotBuiltYet(const char* what) {
    MessageBoxA(nullptr, (std::string(what) + " is not part of this version of the library.").c_str(), "Compress",
                MB_OK | MB_ICONINFORMATION);
}

}  // namespace

// Each export first makes sure the application object has been set up (its
// name and settings key), on the caller's first call into the library.
extern "C" void PackFiles(HDROP drop) {
    if (!drop) return;
    CallGuarded([&] {
        GetApp();
        Pack(drop);
    });
}

extern "C" void UnPackFile(HDROP drop) {
    if (!drop) return;
    CallGuarded([&] { NotBuiltYet("Unpacking"); });
}

extern "C" void CompressAndSendFiles(HDROP drop) {
    if (!drop) return;
    CallGuarded([&] {
        DragFinish(drop);
        NotBuiltYet("Packing for mail");
    });
}

extern "C" void ExtractFile(HDROP drop) {
    if (!drop) return;
    CallGuarded([&] { NotBuiltYet("Extracting"); });
}
