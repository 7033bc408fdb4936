// Forms: top-level windows built in code, with their life-cycle events,
// message handlers, modal showing and the application's main form.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>

#include "framework/forms/Application.h"
#include "framework/forms/Controls.h"

enum class TBorderStyle { bsNone, bsSingle, bsDialog, bsSizeable, bsToolWindow };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TPosition { poDesigned, poScreenCenter };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
enum : TModalResult { mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrYes = IDYES, mrNo = IDNO };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

struct TMessage {
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
    LRESULT Result;
};
using TMessageHandler = std::function<void(TMessage& Message)>;

// What the window of a form is made with; a form class may change it before
// the window exists (its class name, for one, which other programs look for).
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    std::string WinClassName;
    UINT ClassStyle = CS_DBLCLKS;
};

// Where a dialog form first stands: centred when it first shows, or centred
// at once, so that a caller may place it before it shows.
enum class TFormCentre { OnFirstShow, AtOnce };

// What every dialog form opens its constructor with, defaults for the common
// case: a dialog border, centred when it first shows.
struct TFormArgs {
    std::string Name;
    std::string Caption;
    int ClientWidth = 0;
    int ClientHeight = 0;
    TBorderStyle BorderStyle = TBorderStyle::bsDialog;
    TFormCentre Centre = TFormCentre::OnFirstShow;
};

class TForm : public TControl {
public:
    explicit TForm(TComponent* AOwner);
    ~TForm() override;

    TBorderStyle BorderStyle = TBorderStyle::bsSizeable;
    TFormStyle FormStyle = TFormStyle::fsNormal;
    // poScreenCenter centres the form when it next shows, then turns back to poDesigned.
    TPosition Position = TPosition::poDesigned;
    std::string FontName = "MS Sans Serif";
    int FontSize = 8;

    TNotifyEvent OnCreate;
    TNotifyEvent OnPaint;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnShow;
    TCloseEvent OnClose;

    // A handler for one message of the form's window; it runs before the
    // form's own handling, and the message's Result becomes the answer.
    // Returns the handler it replaces, which a second party handling the same
    // message must call on, or the first would be lost without a trace.
    TMessageHandler SetMessageHandler(UINT Msg, TMessageHandler Handler);

    // Runs OnCreate once. Forms made through Application->CreateForm or
    // TForm::Create get it right after construction, as the class library does.
    void DoCreate();
    template <class T, class... A>
    static T* Create(A&&... args) {
        T* form = new T(std::forward<A>(args)...);
        form->DoCreate();
        return form;
    }

    void SetVisible(bool value) override;
    void Close();
    TModalResult ModalResult = mrNone;
    TModalResult ShowModal();
    bool Modal() const { return modal_; }
    // Frees the form once the messages now queued have been handled.
    void Release();
    // A form whose handlers use its own members destroys its window first
    // thing in its destructor, while those members still exist.
    void DestroyWindowHandle();
    bool Active() const { return active_; }
    HFONT Font();
    HWND TooltipWindow() override;
    // The device context being painted, valid during OnPaint.
    HDC PaintDC() const { return paintDc_; }

protected:
    // Names the form, gives it its border, makes its window and sizes it.
    // Called from the constructor of the form's own class, so that the window
    // is made with that class's CreateParams.
    void SetUp(const TFormArgs& args);
    virtual void CreateParams(TCreateParams& Params);
    void CreateHandle() override;
    bool WndProc(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void Paint(HDC dc, const RECT& client) override;

private:
    void DoClose(TCloseAction& action);
    std::map<UINT, TMessageHandler> handlers_;
    bool created_ = false;
    bool modal_ = false;
    bool active_ = false;
    ScopedFont font_;
    HWND tooltip_ = nullptr;
    HDC paintDc_ = nullptr;
};

// The screen: its size, the forms that exist, and a cursor that, when set,
// stands for every control's own (the hourglass of a long task).
class TScreen {
public:
    int Width() const { return GetSystemMetrics(SM_CXSCREEN); }
    int Height() const { return GetSystemMetrics(SM_CYSCREEN); }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value);
    int FormCount() const { return static_cast<int>(forms_.size()); }
    TForm* Forms(int index) const { return forms_[static_cast<size_t>(index)]; }
    void AddForm(TForm* form) { forms_.push_back(form); }
    void RemoveForm(TForm* form);

private:
    TCursor cursor_ = crDefault;
    std::vector<TForm*> forms_;
};

extern TScreen* Screen;

// Takes down the tip of every form, as a menu opens.
void HideFormTips();

// The hourglass for as long as this lives; then the arrow, then each
// control's own cursor.
class TScreenHourGlass {
public:
    TScreenHourGlass() { Screen->SetCursor(crHourGlass); }
    ~TScreenHourGlass() {
        Screen->SetCursor(crArrow);
        Screen->SetCursor(crDefault);
    }
    TScreenHourGlass(const TScreenHourGlass&) = delete;
    TScreenHourGlass& operator=(const TScreenHourGlass&) = delete;
};

template <class T>
void TApplication::CreateForm(T*& Reference) {
    T* form = new T(this);
    // The reference is set before OnCreate, so the handler may use it.
    Reference = form;
    if (!MainForm()) SetMainForm(form);
    form->DoCreate();
}
