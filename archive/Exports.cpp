#include "archive/Exports.h"

#include <optional>

#include "archive/core/ArchiveCommandLines.h"
#include "framework/win32/CallGuarded.h"
#include "archive/CompressApp.h"
#include "dialogkit/FileRoutines.h"
#include "archive/MailPackDlg.h"
#include "archive/PackDlg.h"
#include "framework/win32/ScopedHandle.h"
#include "archive/UnpackDlg.h"
#include "dialogkit/VoiceEvents.h"

namespace {

enum VoiceEvent { kVoiceOk = 3, kVoiceCancel = 4, kVoicePack = 11, kVoiceUnpack = 12 };

// The items of the list into `items`; false after telling that one is too
// long for the file calls. Leaving it out would shift the items after it,
// whose places ExtractFile gives meaning to, so the whole list is refused.
bool ReadSelection(HDROP drop, const char* caption, std::vector<std::string>& items) {
    std::vector<std::string> tooLong;
    items = dialogkit::ReadDropList(drop, &tooLong);
    if (tooLong.empty()) return true;
    MessageBoxA(nullptr, (tooLong[0] + "\n\nThis path is too long for this program. Nothing was done.").c_str(),
                caption, MB_OK | MB_ICONERROR);
    return false;
}

void Pack(HDROP drop) {
    // The list is the library's to free, after OK and Cancel alike.
    const ScopedDrop list(drop);
    CCompressDlg dialog;
    if (!ReadSelection(drop, "Compression", dialog.items_)) return;
    dialogkit::PlayVoiceEvent(kVoicePack);
    dialogkit::PlayVoiceEvent(dialog.DoModal() == IDOK ? kVoiceOk : kVoiceCancel);
}

// The unpack dialog on the list, which stays the caller's; nothing when the
// list was refused. ExtractFile's list carries a member list and a
// destination as its second and third items; a shorter one has neither,
// rather than stray ones.
std::optional<INT_PTR> Unpack(HDROP drop, bool extract) {
    CDecompressDlg dialog;
    if (!ReadSelection(drop, "Decompression", dialog.items_)) return std::nullopt;
    if (extract && dialog.items_.size() >= 3) {
        dialog.extra_ = archive::ExtractArgument(dialog.items_[1]);
        dialog.destination_ = dialog.items_[2];
    }
    if (!extract) dialogkit::PlayVoiceEvent(kVoiceUnpack);
    return dialog.DoModal();
}

void PackForMail(HDROP drop) {
    const ScopedDrop list(drop);
    CCompressMailDlg dialog;
    if (!ReadSelection(drop, "Compress and Email", dialog.items_)) return;
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
        const std::optional<INT_PTR> ended = Unpack(drop, false);
        if (ended) dialogkit::PlayVoiceEvent(*ended == IDOK ? kVoiceOk : kVoiceCancel);
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
