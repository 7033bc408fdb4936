// Controls: the visual components placed on forms.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/forms/Component.h"
#include "framework/forms/Graphics.h"

// A colour is an RGB value, or a system colour: the high bit set and the
// system's COLOR_ index in the low byte, so it follows the user's scheme.
using TColor = DWORD;
constexpr TColor clSystemColor = 0x80000000u;
constexpr TColor clBtnFace = clSystemColor | COLOR_BTNFACE;
constexpr TColor clBtnShadow = clSystemColor | COLOR_BTNSHADOW;
constexpr TColor clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT;
constexpr TColor clInfoBk = clSystemColor | COLOR_INFOBK;
constexpr TColor clInfoText = clSystemColor | COLOR_INFOTEXT;
constexpr TColor clWindow = clSystemColor | COLOR_WINDOW;
constexpr TColor clWindowText = clSystemColor | COLOR_WINDOWTEXT;
constexpr TColor clBlack = 0x000000;
constexpr TColor clNavy = 0x800000;  // COLORREF order: blue in the high byte
constexpr TColor clLime = 0x00FF00;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clWhite = 0xFFFFFF;
COLORREF ColorToRGB(TColor color);

using TCursor = int;
enum : TCursor {
    crDefault = 0,
    crArrow = -2,
    crHourGlass = -11,
    crHandPoint = -21,
    crSizeAll = -22,
};
// The system cursor for a cursor value; the hand falls back to the arrow where
// the system has none (it came with Windows 98 and 2000).
HCURSOR CursorHandle(TCursor cursor);

class TControl : public TComponent {
public:
    explicit TControl(TComponent* AOwner) : TComponent(AOwner) {}
    ~TControl() override;
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    // The system window showing this control, when it has one.
    HWND Handle() const { return handle_; }
    void SetHandle(HWND h) { handle_ = h; }

    // Everything below shows the control as a child window of its parent: a
    // window of its own, so tests can find a control and click it.
    TControl* Parent() const { return parent_; }
    void SetParent(TControl* parent);
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const { return controls_[static_cast<size_t>(index)]; }

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { SetBounds(value, top_, width_, height_); }
    void SetTop(int value) { SetBounds(left_, value, width_, height_); }
    void SetWidth(int value) { SetBounds(left_, top_, value, height_); }
    void SetHeight(int value) { SetBounds(left_, top_, width_, value); }
    virtual void SetBounds(int left, int top, int width, int height);
    int ClientWidth() const;
    int ClientHeight() const;
    void SetClientWidth(int value);
    void SetClientHeight(int value);

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);

    TColor Color() const { return color_; }
    void SetColor(TColor value);
    // Takes the parent's colour until a colour of its own is set.
    bool ParentColor = false;
    TColor EffectiveColor() const;
    // When set, this control and the children that take its colour have
    // their background drawn by it instead of a plain fill (a picture behind
    // a row of buttons): `origin` is the top-left of the control being drawn
    // in this control's client area, `client` that control's area to draw.
    std::function<void(HDC dc, POINT origin, const RECT& client)> PaintChildBackground;
    TCursor Cursor = crDefault;

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value);
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseMove;
    TMouseEvent OnMouseUp;

    void HandleNeeded();
    void Invalidate();
    void Repaint();
    void BringToFront();
    virtual void Click();

    // The tool-tip window of the form this control stands on.
    virtual HWND TooltipWindow();

protected:
    // Window class of the control; one per kind, so tests can tell them apart.
    virtual const char* WindowClassName() const { return "TMivoraControl"; }
    virtual DWORD WindowStyle() const { return WS_CHILD | WS_CLIPSIBLINGS; }
    virtual void CreateHandle();
    void DestroyHandle();
    // Creates the windows of the children once this control has its own.
    void CreateChildHandles();
    // Gives true when the message was handled, with `result` set.
    virtual bool WndProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
    virtual void Paint(HDC dc, const RECT& client);
    virtual void EraseBackground(HDC dc, const RECT& client);
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseLeave() {}
    // Registers the class and hooks a window created elsewhere to this object.
    static void RegisterWindowClass(const char* name, UINT classStyle);
    void Attach(HWND hwnd);
    void UpdateTool();
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    bool transparent_ = false;
    bool pressed_ = false;     // a button went down over the control and the mouse is captured
    bool mouseInside_ = false;
    bool tracking_ = false;      // a leave notice has been asked for
    bool clickPending_ = false;  // the left button went up over the control it went down on
    // The press that ends a double click: its release is no second click, or a
    // button that starts a program would start it twice.
    bool doublePress_ = false;

private:
    void RemoveTool();
    std::string caption_;
    HWND handle_ = nullptr;
    TControl* parent_ = nullptr;
    std::vector<TControl*> controls_;
    bool ownsHandle_ = false;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clBtnFace;
    std::string hint_;
    bool showHint_ = true;
    bool toolAdded_ = false;
    TMouseButton downButton_ = TMouseButton::mbLeft;
};

// Where a control stands on its parent, as SetBounds takes it.
struct TBounds {
    int Left, Top, Width, Height;
};

struct TNoSetup {
    template <class T>
    void operator()(T&) const {}
};

// A child control in one call: owned by `owner`, named, placed at `bounds` on
// `parent`. `setup` runs before the control joins its parent, while what
// shapes its window (a combo box's style, a default button) still counts.
template <class T, class Setup = TNoSetup>
T* Make(TComponent* owner, TControl* parent, const std::string& name, const TBounds& bounds, Setup setup = {}) {
    T* control = Make<T>(owner, name);
    control->SetBounds(bounds.Left, bounds.Top, bounds.Width, bounds.Height);
    setup(*control);
    control->SetParent(parent);
    return control;
}
