// Where the icon push button puts its icon, caption and focus rectangle.
// Kept apart from the drawing so that the geometry can be checked natively.
#pragma once

namespace dialogkit {

// The owner-draw state and action bits of the platform (same values).
enum : unsigned {
    kStateSelected = 0x0001,
    kStateDisabled = 0x0004,
    kStateFocus = 0x0010,
    kActionFocus = 0x0004,
};

constexpr int kImageMargin = 4;
constexpr int kTextGap = 8;

struct Point {
    int x = 0;
    int y = 0;
};

// A coordinate given as "centred": (client - drawn) shifted right by one bit,
// arithmetically, so a drawn extent larger than the client gives a negative value.
int Centred(int clientExtent, int drawnExtent);

// Top-left of the icon in a client area of clientWidth x clientHeight that
// starts at clientLeft; `pressed` shifts it by one pixel down and right.
Point IconOrigin(int clientLeft, int clientWidth, int clientHeight, int iconWidth, int iconHeight, bool hasCaption,
                 bool pressed);

// Top-left of a caption of textWidth x textHeight; iconWidth is 0 without an icon.
Point CaptionOrigin(int clientLeft, int clientRight, int clientHeight, int textWidth, int textHeight, bool hasIcon,
                    int iconWidth, bool pressed);

// How far the focus rectangle sits inside the item rectangle.
int FocusInset(int width, int height);

// Whether this paint toggles the focus rectangle. It is drawn with XOR, so
// drawing it on the loss of focus erases it again.
bool ShouldDrawFocus(unsigned state, unsigned lastState, unsigned action);

}  // namespace dialogkit
