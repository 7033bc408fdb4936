// A hint window: a borderless pop-up with a text, shown without taking the
// activation, that keeps itself on the screen.
#pragma once
#include <windows.h>

#include <string>

#include "framework/forms/Controls.h"

class THintWindow : public TControl {
public:
    explicit THintWindow(TComponent* AOwner);
    ~THintWindow() override;
    // The window the hint belongs to; none means the desktop.
    HWND ParentWindow = nullptr;
    // The rectangle, at (0, 0), that the text needs when wrapped at MaxWidth.
    RECT CalcHintRect(int MaxWidth, const std::string& Hint);
    // Shows the text in the rectangle, moved back onto the screen where it sticks out.
    void ActivateHint(RECT Rect, const std::string& Hint);
    void ReleaseHandle() { DestroyHandle(); }

protected:
    const char* WindowClassName() const override { return "THintWindow"; }
    void CreateHandle() override;
    bool WndProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    HFONT Font();
    ScopedFont font_;
    int maxWidth_ = 300;
};
