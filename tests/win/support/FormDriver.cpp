#include "tests/win/support/FormDriver.h"

#include <gtest/gtest.h>

#include "tests/win/support/TestSupport.h"

namespace {
UiScript* runningScript = nullptr;
}

UiScript& UiScript::When(std::string what, std::function<bool()> ready, std::function<void()> act) {
    steps_.push_back({std::move(what), std::move(ready), std::move(act)});
    return *this;
}

UiScript& UiScript::Then(std::string what, std::function<void()> act) {
    return When(std::move(what), [] { return true; }, std::move(act));
}

UiScript& UiScript::Watch(std::function<void()> check) {
    watches_.push_back(std::move(check));
    return *this;
}

void CALLBACK UiScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (runningScript) runningScript->OnTick();
}

void UiScript::OnTick() {
    for (const auto& check : watches_) check();
    if (steps_.empty() || failed_) return;
    if (!steps_.front().ready()) {
        if (GetTickCount() - waitingSince_ < limit_) return;
        failed_ = true;
        ADD_FAILURE() << "step never became ready: " << steps_.front().what;
        steps_.clear();
        // Out of every modal loop, innermost first.
        for (int i = Screen->FormCount() - 1; i >= 0; --i)
            if (Screen->Forms(i)->Modal()) Screen->Forms(i)->ModalResult = mrCancel;
        PostMessageA(nullptr, WM_NULL, 0, 0);
        return;
    }
    Step step = std::move(steps_.front());
    steps_.pop_front();
    waitingSince_ = GetTickCount();
    step.act();
}

void UiScript::Run(const std::function<void()>& body, DWORD msPerStep) {
    limit_ = msPerStep;
    failed_ = false;
    waitingSince_ = GetTickCount();
    UiScript* outer = runningScript;
    runningScript = this;
    const UINT_PTR timer = SetTimer(nullptr, 0, 15, Tick);
    body();
    // Steps that come after the modal loops (checks of the state they left).
    PumpUntil([this] { return steps_.empty() || failed_; }, msPerStep);
    KillTimer(nullptr, timer);
    runningScript = outer;
    EXPECT_TRUE(steps_.empty()) << "script not finished: " << (steps_.empty() ? "" : steps_.front().what);
}

bool Showing(const TForm* form) { return form && form->Handle() && IsWindowVisible(form->Handle()); }

void ClickButton(const TStdControl* button) {
    ASSERT_TRUE(button->Handle());
    EXPECT_TRUE(IsWindowEnabled(button->Handle())) << button->Caption() << " is disabled";
    EXPECT_TRUE(IsWindowVisible(button->Handle())) << button->Caption() << " is hidden";
    PostMessageA(button->Handle(), BM_CLICK, 0, 0);
}

void ClickListEntry(const TListBox* list, int index, bool twice) {
    // The user scrolls the entry into view first.
    SendMessageA(list->Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);
    RECT r{};
    ASSERT_NE(SendMessageA(list->Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r)),
              LB_ERR);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(list->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
    if (twice) {
        PostMessageA(list->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        PostMessageA(list->Handle(), WM_LBUTTONUP, 0, at);
    }
}

void TypeInto(const TComboBox* combo, const std::string& text) {
    HWND edit = FindWindowExA(combo->Handle(), nullptr, "Edit", nullptr);
    ASSERT_TRUE(edit) << "no edit box in the combo box";
    SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) {
        SendMessageA(edit, WM_CHAR, VK_BACK, 0);
        return;
    }
    for (char c : text) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

void PickFrom(const TComboBox* combo, int index) {
    SendMessageA(combo->Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    // What the box reports when the user picks an entry from its list.
    SendMessageA(GetParent(combo->Handle()), WM_COMMAND, MAKEWPARAM(combo->ControlId(), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo->Handle()));
}

void CloseByTitleBar(const TForm* form) { PostMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); }
