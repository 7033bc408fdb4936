#include "MessageDlg.h"

namespace {
TMessageDlgHook& MessageHook() {
    static TMessageDlgHook hook;
    return hook;
}
}  // namespace

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
