// Drives a menu that this thread is showing: the menu call blocks, so the
// steps run from a thread timer inside the menu's own loop.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

// Runs each step on a timer tick (every `ms`) while a menu is open, then
// closes any menu still open. Use around a call that shows a menu.
class MenuDriver {
public:
    explicit MenuDriver(std::vector<std::function<void(HWND menuWindow)>> steps, UINT ms = 150);
    ~MenuDriver();
    bool Finished() const { return next_ >= steps_.size(); }
    int Ticks() const { return ticks_; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    std::vector<std::function<void(HWND)>> steps_;
    size_t next_ = 0;
    int ticks_ = 0;
    UINT_PTR timer_ = 0;
};

// The menu window (class "#32768") shown by thread `thread`, when one is.
HWND FindMenuWindow(DWORD thread);
// The menu window this thread shows, when one is.
HWND OwnMenuWindow();
// Keys into an open menu of this thread.
void PressMenuKey(HWND menu, UINT vk);
