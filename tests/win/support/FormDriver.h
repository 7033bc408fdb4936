// Drives forms and standard controls as the user does, also from inside the
// modal loops a test thread sits in.
#pragma once
#include <windows.h>

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "framework/forms/StdCtrls.h"

// Steps run from a timer while `body` sits in modal loops: each step waits
// until its condition holds, then acts (acting by posting messages, so the
// step returns at once). A step that waits too long fails the test and every
// modal form is cancelled, so nothing hangs.
class UiScript {
public:
    UiScript& When(std::string what, std::function<bool()> ready, std::function<void()> act);
    // A step that is ready as soon as the previous one has acted.
    UiScript& Then(std::string what, std::function<void()> act);
    // Runs on every tick while the script runs, whatever the steps do.
    UiScript& Watch(std::function<void()> check);
    void Run(const std::function<void()>& body, DWORD msPerStep = 5000);

private:
    struct Step {
        std::string what;
        std::function<bool()> ready;
        std::function<void()> act;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();
    std::deque<Step> steps_;
    std::vector<std::function<void()>> watches_;
    DWORD waitingSince_ = 0;
    DWORD limit_ = 5000;
    bool failed_ = false;
};

// True when the form's window is up.
bool Showing(const TForm* form);
// Clicks a button as the user does (it must be enabled and visible).
void ClickButton(const TStdControl* button);
// Clicks a list entry with the mouse (posted); `twice` makes it a double click.
void ClickListEntry(const TListBox* list, int index, bool twice = false);
// Types `text` into a drop-down box as the user does, replacing its text.
void TypeInto(const TComboBox* combo, const std::string& text);
// Picks an entry from a combo box's list as the user does.
void PickFrom(const TComboBox* combo, int index);
// Closes a form by its title bar's close button.
void CloseByTitleBar(const TForm* form);
