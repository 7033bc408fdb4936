#include "dialogkit/core/IconButtonLayout.h"

namespace dialogkit {

int Centred(int clientExtent, int drawnExtent) {
    // Right shift of a negative int is arithmetic with every compiler the
    // suite uses, and C++20 makes it so by definition.
    return (clientExtent - drawnExtent) >> 1;
}

Point IconOrigin(int clientLeft, int clientWidth, int clientHeight, int iconWidth, int iconHeight, bool hasCaption,
                 bool pressed) {
    const int d = pressed ? 1 : 0;
    Point p;
    p.x = (hasCaption ? clientLeft + kImageMargin : Centred(clientWidth, iconWidth)) + d;
    p.y = Centred(clientHeight, iconHeight) + d;
    return p;
}

Point CaptionOrigin(int clientLeft, int clientRight, int clientHeight, int textWidth, int textHeight, bool hasIcon,
                    int iconWidth, bool pressed) {
    const int d = pressed ? 1 : 0;
    Point p;
    if (hasIcon) {
        int room = clientRight - kTextGap - iconWidth - kImageMargin - textWidth - clientLeft;
        if (room < 0) room = 0;
        p.x = kTextGap + room / 2 + iconWidth + kImageMargin;
    } else {
        p.x = Centred(clientRight - clientLeft, textWidth);
    }
    p.y = Centred(clientHeight, textHeight) - 1;
    p.x += d;
    p.y += d;
    return p;
}

int FocusInset(int width, int height) {
    const int m = width < height ? width : height;
    return (m & ~3) > 12 ? 3 : m >> 2;
}

bool ShouldDrawFocus(unsigned state, unsigned lastState, unsigned action) {
    if (state & kStateDisabled) return false;
    if ((state ^ lastState) & kStateFocus) return true;
    return action != kActionFocus && (state & kStateFocus);
}

}  // namespace dialogkit
