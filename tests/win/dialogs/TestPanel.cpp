// A library that opens a modeless dialog and returns at once, as the backup
// library does inside the bar: only the caller's message loop can bring the
// dialog its keys. The dialog deletes itself when its window goes.
#include "framework/dialogs/DataExchange.h"
#include "tests/win/dialogs/DialogsTestIds.h"

namespace {

int panelsAlive = 0;
int lastCommand = 0;  // the latest button, or the key standing for one

class CPanel : public CDialog {
public:
    CPanel() : CDialog(IDD_PANEL) { ++panelsAlive; }
    ~CPanel() override { --panelsAlive; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (HIWORD(wParam) == BN_CLICKED) lastCommand = LOWORD(wParam);
        return CDialog::OnCommand(wParam, lParam);
    }
    void PostNcDestroy() override { delete this; }
};

}  // namespace

extern "C" __declspec(dllexport) HWND OpenPanel() {
    try {
        auto* panel = new CPanel;
        if (!panel->Create()) {
            delete panel;
            return nullptr;
        }
        panel->ShowWindow(SW_SHOW);
        return panel->Handle();
    } catch (...) {
        return nullptr;
    }
}

extern "C" __declspec(dllexport) int PanelsAlive() { return panelsAlive; }
extern "C" __declspec(dllexport) int LastCommand() { return lastCommand; }
