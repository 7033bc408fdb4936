// Message boxes of the forms, and the hook through which tests answer them.
#pragma once
#include <functional>
#include <string>

#include "framework/forms/Forms.h"

enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgButton : unsigned { mbYes = 1, mbNo = 2, mbOK = 4, mbCancel = 8 };
using TMsgDlgButtons = unsigned;
constexpr TMsgDlgButtons mbYesNo = mbYes | mbNo;
constexpr TMsgDlgButtons mbOKCancel = mbOK | mbCancel;

// A message box owned by the active window; the answer is mrYes, mrNo, mrOk or mrCancel.
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);

// Tests answer message boxes themselves: while a hook is set it is asked
// instead of the user. Returns the hook it replaces.
using TMessageDlgHook = std::function<int(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)>;
TMessageDlgHook SetMessageDlgHook(TMessageDlgHook hook);

// Asks for one line of text in a small modal form: the text as typed on OK,
// `Default` on Cancel.
std::string InputBox(const std::string& Caption, const std::string& Prompt, const std::string& Default);
// Tests type the answer themselves: while a hook is set it answers instead of the user.
using TInputBoxHook = std::function<std::string(const std::string& Caption, const std::string& Prompt,
                                                const std::string& Default)>;
TInputBoxHook SetInputBoxHook(TInputBoxHook hook);
