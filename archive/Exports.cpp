#include "Exports.h"

#include "ArchiveCommandLines.h"
#include "CallGuarded.h"
#include "CompressApp.h"
#include "FileRoutines.h"
#include "MailPackDlg.h"
#include "PackDlg.h"
#include "ScopedHandle.h"
#include "UnpackDlg.h"
#include "VoiceEvents.h"

namespace {

enum VoiceEvent { kVoiceOk = 3, kVoiceCancel = 4, kVoicePack = 11, kVoiceUnpack = 12 };

void Pack(HDROP drop) {
    // The list is the library's to free, after OK and Cancel alike.
    const ScopedDrop list(drop);
    dialogkit::PlayVoiceEvent(kVoicePack);
    CCompressDlg dialog;
    dialog.items_ = dialogkit::ReadDropList(drop);
    dialogkit::PlayVoiceEvent(dialog.DoModal() == IDOK ? kVoiceOk : kVoiceCancel);
}

// The unpack dialog on the list, which stays the caller's. ExtractFile's list
// carries a member list and a destination as its second and third items; a
// shorter one has neither, rather than stray ones.
INT_PTR Unpack(HDROP drop, bool extract) {
    CDecompressDlg dialog;
    dialog.items_ = dialogkit::ReadDropList(drop);
    if (extract && dialog.items_.size() >= 3) {
        dialog.extra_ = archive::ExtractArgument(dialog.items_[1]);
        dialog.destination_ = dialog.items_[2];
    }
    return dialog.DoModal();
}

void PackForMail(HDROP drop) {
    const ScopedDrop list(drop);
    CCompressMailDlg dialog;
    dialog.items_ = dialogkit::ReadDropList(drop);
    dialog.DoModal();
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
    CallGuarded([&] {
        GetApp();
        dialogkit::PlayVoiceEvent(kVoiceUnpack);
        dialogkit::PlayVoiceEvent(Unpack(drop, false) == IDOK ? kVoiceOk : kVoiceCancel);
    });
}

extern "C" void CompressAndSendFiles(HDROP drop) {
    if (!drop) return;
    CallGuarded([&] {
        GetApp();
        PackForMail(drop);
    });
}

extern "C" void ExtractFile(HDROP drop) {
    if (!drop) return;
    CallGuarded([&] {
        GetApp();
        Unpack(drop, true);
    });
}
