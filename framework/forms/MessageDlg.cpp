#include "framework/forms/MessageDlg.h"

#include "framework/forms/StdCtrls.h"

namespace {
TMessageDlgHook& MessageHook() {
    static TMessageDlgHook hook;
    return hook;
}

TInputBoxHook& InputHook() {
    static TInputBoxHook hook;
    return hook;
}

class TInputForm : public TForm {
public:
    TInputForm(const std::string& caption, const std::string& prompt, const std::string& text) : TForm(nullptr) {
        SetUp({"", caption, 280, 96, TBorderStyle::bsDialog, TFormCentre::AtOnce});
        Make<TStaticLabel>(this, this, "Prompt", {8, 10, 264, 14})->SetCaption(prompt);
        Edit = Make<TEdit>(this, this, "Edit", {8, 28, 264, 21});
        Edit->SetText(text);
        auto* ok = Make<TButton>(this, this, "OK", {116, 62, 75, 23}, [](TButton& b) { b.Default = true; });
        ok->SetCaption("OK");
        ok->ModalResult = mrOk;
        auto* cancel = Make<TButton>(this, this, "Cancel", {197, 62, 75, 23}, [](TButton& b) { b.Cancel = true; });
        cancel->SetCaption("Cancel");
        cancel->ModalResult = mrCancel;
        OnShow = [this](TObject*) {
            Edit->SetFocus();
            Edit->SelectAll();
        };
    }
    TEdit* Edit;
};
}  // namespace

TInputBoxHook SetInputBoxHook(TInputBoxHook hook) {
    TInputBoxHook previous = std::move(InputHook());
    InputHook() = std::move(hook);
    return previous;
}

std::string InputBox(const std::string& Caption, const std::string& Prompt, const std::string& Default) {
    if (InputHook()) {
        TInputBoxHook hook = InputHook();
        return hook(Caption, Prompt, Default);
    }
    TInputForm form(Caption, Prompt, Default);
    return form.ShowModal() == mrOk ? form.Edit->Text() : Default;
}

TMessageDlgHook SetMessageDlgHook(TMessageDlgHook hook) {
    TMessageDlgHook previous = std::move(MessageHook());
    MessageHook() = std::move(hook);
    return previous;
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    if (MessageHook()) {
        // A copy: the hook may replace itself.
        TMessageDlgHook hook = MessageHook();
        return hook(Msg, DlgType, Buttons);
    }
    UINT flags = MB_OK;
    if ((Buttons & mbYesNo) == mbYesNo)
        flags = (Buttons & mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
    else if ((Buttons & mbOKCancel) == mbOKCancel)
        flags = MB_OKCANCEL;
    const char* caption = "";
    switch (DlgType) {
        case TMsgDlgType::mtWarning: flags |= MB_ICONWARNING; caption = "Warning"; break;
        case TMsgDlgType::mtError: flags |= MB_ICONERROR; caption = "Error"; break;
        case TMsgDlgType::mtInformation: flags |= MB_ICONINFORMATION; caption = "Information"; break;
        case TMsgDlgType::mtConfirmation: flags |= MB_ICONQUESTION; caption = "Confirm"; break;
        case TMsgDlgType::mtCustom: caption = Application->Title.c_str(); break;
    }
    HWND owner = GetActiveWindow();
    return MessageBoxA(owner ? owner : Application->Handle(), Msg.c_str(), caption, flags);
}
