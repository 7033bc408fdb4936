// Labels, panels, images, bevels and speed buttons: controls the layer draws itself.
#pragma once
#include <windows.h>

#include "framework/forms/Controls.h"
#include "framework/forms/Graphics.h"

enum class TAlignment { taLeftJustify, taCenter, taRightJustify };
enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TLabel : public TControl {
public:
    explicit TLabel(TComponent* AOwner) : TControl(AOwner) { ParentColor = true; }
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool value);
    TColor FontColor = clWindowText;
    TAlignment Alignment = TAlignment::taLeftJustify;

protected:
    const char* WindowClassName() const override { return "TLabel"; }
    void Paint(HDC dc, const RECT& client) override;
};

// A rectangle with a bevelled edge, its caption centred.
class TPanel : public TControl {
public:
    explicit TPanel(TComponent* AOwner);
    TBevelCut BevelOuter = TBevelCut::bvRaised;
    TBevelCut BevelInner = TBevelCut::bvNone;
    TColor FontColor = clWindowText;
    TAlignment Alignment = TAlignment::taCenter;
    // Runs after the panel has painted itself, for drawing on top of it.
    TNotifyEvent OnPaint;

protected:
    const char* WindowClassName() const override { return "TPanel"; }
    DWORD WindowStyle() const override { return TControl::WindowStyle() | WS_CLIPCHILDREN; }
    void Paint(HDC dc, const RECT& client) override;
};

// A picture, drawn at the top-left corner unscaled.
class TImage : public TControl {
public:
    explicit TImage(TComponent* AOwner) : TControl(AOwner) { ParentColor = true; }
    TBitmap* Picture() { return &picture_; }
    // Pixels of the picture's bottom-left colour are left undrawn.
    bool Transparent = false;

protected:
    const char* WindowClassName() const override { return "TImage"; }
    void Paint(HDC dc, const RECT& client) override;

private:
    TBitmap picture_;
};

// A vertical or horizontal groove separating groups of controls.
class TBevel : public TControl {
public:
    explicit TBevel(TComponent* AOwner) : TControl(AOwner) { ParentColor = true; }

protected:
    const char* WindowClassName() const override { return "TBevel"; }
    void Paint(HDC dc, const RECT& client) override;
};

// A button that shows a picture and, when flat, its edge only under the mouse.
class TSpeedButton : public TControl {
public:
    explicit TSpeedButton(TComponent* AOwner) : TControl(AOwner) { ParentColor = true; }
    bool Flat = false;
    // The picture; its bottom-left pixel's colour is drawn as transparent.
    TBitmap* Glyph() { return &glyph_; }
    // Call after drawing into Glyph() so the button shows the new picture.
    void GlyphChanged() { Invalidate(); }

protected:
    const char* WindowClassName() const override { return "TSpeedButton"; }
    void Paint(HDC dc, const RECT& client) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseLeave() override;

private:
    TBitmap glyph_;
};

// Draws `bitmap` at (x, y) leaving out the pixels of its bottom-left colour.
void DrawTransparentBitmap(HDC dc, int x, int y, const TBitmap& bitmap);
