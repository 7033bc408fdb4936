// The owner-drawn push button of the tool libraries' browse buttons: a
// standard button face with an icon from the library's resources and, when
// the control has a caption, the caption right of the icon. It is bound to a
// dialog control of the owner-draw button style; the dialog hands it every
// paint, press, release and focus change through DrawItem.
#pragma once
#include <windows.h>

#include "framework/dialogs/Controls.h"
#include "framework/win32/ScopedHandle.h"

class CIconButton : public CButton {
public:
    CIconButton() = default;

    // Loads icon `id` of the module at cx by cy pixels; false leaves the
    // button without an icon. An icon set earlier is released.
    BOOL SetIcon(WORD id, int cx, int cy);
    HICON Icon() const { return icon_.Get(); }

    void DrawItem(DRAWITEMSTRUCT* item) override;

private:
    ScopedIcon icon_;
    int iconWidth_ = 0;
    int iconHeight_ = 0;
    UINT lastState_ = 0;
};
