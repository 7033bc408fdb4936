#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "Application.h"
#include "Component.h"
#include "Menus.h"
#include "TestSupport.h"
#include "Thread.h"
#include "UtilWindow.h"

namespace {

class Tracked : public TComponent {
public:
    Tracked(TComponent* owner, std::vector<std::string>& log, std::string name)
        : TComponent(owner), log_(log), name_(std::move(name)) {}
    ~Tracked() override { log_.push_back(name_); }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

class LambdaThread : public TThread {
public:
    explicit LambdaThread(std::function<void(LambdaThread&)> body) : body_(std::move(body)) {}
    void Sync(const std::function<void()>& f) { Synchronize(f); }

protected:
    void Execute() override { body_(*this); }

private:
    std::function<void(LambdaThread&)> body_;
};

}  // namespace

TEST(Component, OwnerFreesWhatItOwnsLastCreatedFirst) {
    std::vector<std::string> log;
    {
        Tracked owner(nullptr, log, "owner");
        new Tracked(&owner, log, "a");
        auto* b = new Tracked(&owner, log, "b");
        new Tracked(b, log, "b.child");
        auto* c = new Tracked(&owner, log, "c");
        delete c;  // a component freed early leaves its owner's list
        EXPECT_EQ(owner.ComponentCount(), 2);
    }
    // Each object logs before it frees what it owns.
    EXPECT_EQ(log, (std::vector<std::string>{"c", "owner", "b", "b.child", "a"}));
}

TEST(Thread, SynchronisedCallsRunOnTheGuiThreadWhileItPumps) {
    std::atomic<DWORD> ranOn{0};
    std::atomic<bool> done{false};
    LambdaThread t([&](LambdaThread& self) {
        self.Sync([&] { ranOn = GetCurrentThreadId(); });
        done = true;
    });
    t.Start();
    ASSERT_TRUE(PumpUntil([&] { return done.load(); }, 3000));
    t.WaitFor();
    EXPECT_EQ(ranOn.load(), GetCurrentThreadId());
}

TEST(Thread, ErrorsInsideSynchronisedCallsAndWorkerBodiesReachTheErrorReport) {
    ErrorReports reports;
    std::atomic<bool> continued{false};
    LambdaThread t([&](LambdaThread& self) {
        self.Sync([] { throw Exception("inside the call"); });
        continued = true;  // the worker goes on after its call failed
        throw Exception("out of the body");
    });
    t.Start();
    ASSERT_TRUE(PumpUntil([&] { return reports.messages.size() == 2; }, 3000));
    t.WaitFor();
    EXPECT_TRUE(continued);
    EXPECT_EQ(reports.messages, (std::vector<std::string>{"inside the call", "out of the body"}));
}

namespace {
void CALLBACK NeverFires(HWND, UINT, UINT_PTR, DWORD) {}
}  // namespace

TEST(Thread, ModalLoopsServeSynchronisedCalls) {
    // A menu's own loop is the modal loop here; the call closes the menu.
    std::atomic<bool> ran{false};
    TPopupMenu menu(nullptr);
    auto* item = new TMenuItem();
    item->Caption = "item";
    menu.Items()->Add(item);
    LambdaThread t([&](LambdaThread& self) {
        Sleep(300);
        self.Sync([&] {
            ran = true;
            EndMenu();
        });
    });
    menu.OnPopup = [&](TObject*) { t.Start(); };
    UINT_PTR safety = SetTimer(nullptr, 0, 5000, NeverFires);
    menu.Popup(10, 10);
    KillTimer(nullptr, safety);
    t.WaitFor();
    EXPECT_TRUE(ran);
}

TEST(UtilWindow, AnErrorInAHandlerIsReportedAndNeverUnwindsThroughTheSystem) {
    ErrorReports reports;
    TUtilWindow w([](UINT msg, WPARAM, LPARAM, LRESULT& r) {
        if (msg != WM_USER + 5) return false;
        r = 1;
        throw Exception("handler failed");
    });
    ASSERT_NE(w.Handle(), nullptr);
    SendMessageA(w.Handle(), WM_USER + 5, 0, 0);
    EXPECT_EQ(reports.messages, std::vector<std::string>{"handler failed"});
}

TEST(UtilWindow, AHandlerMayFreeItsOwnWindow) {
    TUtilWindow* w = nullptr;
    int handled = 0;
    w = new TUtilWindow([&](UINT msg, WPARAM, LPARAM, LRESULT&) {
        if (msg != WM_USER + 6) return false;
        delete w;  // the window and its owner go away in the middle of their own message
        w = nullptr;
        ++handled;
        return true;
    });
    HWND h = w->Handle();
    SendMessageA(h, WM_USER + 6, 0, 0);
    EXPECT_EQ(handled, 1);
    EXPECT_EQ(w, nullptr);
    EXPECT_FALSE(IsWindow(h));
}

TEST(PopupMenu, ChosenItemRunsItsHandlerAfterTheMenuCloses) {
    TPopupMenu menu(nullptr);
    auto* parent = new TMenuItem();
    parent->Caption = "More";
    auto* child = new TMenuItem();
    child->Caption = "Deep";
    parent->Add(child);
    menu.Items()->Add(parent);
    EXPECT_EQ(menu.Items()->FindByCommand(child->Command()), child);
    int clicks = 0;
    child->OnClick = [&](TObject* s) { clicks += s == child; };
    child->Click();
    child->Enabled = false;
    child->Click();
    EXPECT_EQ(clicks, 1);
}
