// The system's file dialog, for choosing a file to open.
#pragma once
#include <functional>
#include <string>

#include "framework/forms/Component.h"
#include "framework/forms/Controls.h"

enum TOpenOption : unsigned { ofHideReadOnly = 1, ofFileMustExist = 2, ofNoNetworkButton = 4 };
using TOpenOptions = unsigned;

class TOpenDialog : public TComponent {
public:
    explicit TOpenDialog(TComponent* AOwner) : TComponent(AOwner) {}
    // Pairs of description and pattern, "|" between all: "Wave files *.wav|*.wav".
    std::string Filter;
    // The dialog's title; the system's own when empty.
    std::string Title;
    // A caption for the dialog's OK button in place of the system's "Open".
    std::string OkCaption;
    // Added to a typed name without one, without its dot: "wav".
    std::string DefaultExt;
    TOpenOptions Options = 0;
    // The file chosen; its folder and name start the dialog.
    std::string FileName;
    // True when a file was chosen.
    bool Execute();
};

// Tests choose files themselves: while a hook is set it is asked instead of
// the user, with the dialog to fill. Returns the hook it replaces.
using TOpenDialogHook = std::function<bool(TOpenDialog& dialog)>;
TOpenDialogHook SetOpenDialogHook(TOpenDialogHook hook);

// The system's colour dialog.
class TColorDialog : public TComponent {
public:
    explicit TColorDialog(TComponent* AOwner) : TComponent(AOwner) {}
    // The colour the dialog starts with, and the one chosen.
    TColor Color = clBlack;
    // True when a colour was chosen.
    bool Execute();
};
// Tests choose colours themselves, as they choose files. Returns the hook it replaces.
using TColorDialogHook = std::function<bool(TColorDialog& dialog)>;
TColorDialogHook SetColorDialogHook(TColorDialogHook hook);
