#include "tests/win/support/MenuDriver.h"

namespace {
MenuDriver* active = nullptr;

BOOL CALLBACK FindMenu(HWND w, LPARAM lp) {
    char cls[16] = {};
    GetClassNameA(w, cls, sizeof cls);
    if (lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(w)) {
        *reinterpret_cast<HWND*>(lp) = w;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND FindMenuWindow(DWORD thread) {
    HWND found = nullptr;
    EnumThreadWindows(thread, FindMenu, reinterpret_cast<LPARAM>(&found));
    return found;
}

HWND OwnMenuWindow() { return FindMenuWindow(GetCurrentThreadId()); }

void PressMenuKey(HWND menu, UINT vk) { PostMessageA(menu, WM_KEYDOWN, vk, 0); }

MenuDriver::MenuDriver(std::vector<std::function<void(HWND)>> steps, UINT ms) : steps_(std::move(steps)) {
    active = this;
    timer_ = SetTimer(nullptr, 0, ms, Tick);
}

MenuDriver::~MenuDriver() {
    KillTimer(nullptr, timer_);
    active = nullptr;
}

void CALLBACK MenuDriver::Tick(HWND, UINT, UINT_PTR, DWORD) {
    MenuDriver* d = active;
    if (!d) return;
    ++d->ticks_;
    HWND menu = OwnMenuWindow();
    if (!menu) return;
    if (d->next_ < d->steps_.size()) {
        d->steps_[d->next_++](menu);
    } else {
        EndMenu();
    }
}
