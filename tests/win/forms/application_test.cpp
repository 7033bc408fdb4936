#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/forms/Application.h"
#include "framework/win32/CallGuarded.h"
#include "framework/forms/Component.h"
#include "framework/forms/Menus.h"
#include "tests/win/support/TestSupport.h"
#include "framework/forms/Thread.h"
#include "framework/forms/UtilWindow.h"

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

// A worker with nothing to do, so it can end and free itself before Start has
// returned; its destructor notes whether the object knew its thread by then.
class QuickThread : public TThread {
public:
    QuickThread(std::atomic<int>& freed, std::atomic<int>& known) : freed_(freed), known_(known) {
        FreeOnTerminate = true;
    }
    ~QuickThread() override {
        if (Handle() && ThreadID() == GetCurrentThreadId()) ++known_;
        ++freed_;
    }

protected:
    void Execute() override {}

private:
    std::atomic<int>& freed_;
    std::atomic<int>& known_;
};

using CreateThreadFn = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE, LPVOID, DWORD, LPDWORD);
CreateThreadFn realCreateThread = nullptr;

// The worst order the scheduler may choose: a thread that may run at once runs
// to its end before its creator goes on.
HANDLE WINAPI CreateThreadThatEndsFirst(LPSECURITY_ATTRIBUTES sa, SIZE_T stack, LPTHREAD_START_ROUTINE proc,
                                        LPVOID param, DWORD flags, LPDWORD id) {
    HANDLE h = realCreateThread(sa, stack, proc, param, flags, id);
    if (h && !(flags & CREATE_SUSPENDED)) WaitForSingleObject(h, 10000);
    return h;
}

// Points this program's import of CreateThread (the framework is linked into
// it) at CreateThreadThatEndsFirst while the object lives.
class ThreadsEndFirst {
public:
    ThreadsEndFirst() {
        realCreateThread = reinterpret_cast<CreateThreadFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CreateThread")));
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
            base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d)
            for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk); t->u1.Function; ++t)
                if (t->u1.Function == reinterpret_cast<ULONG_PTR>(realCreateThread)) slot_ = &t->u1.Function;
        if (slot_) Write(reinterpret_cast<ULONG_PTR>(&CreateThreadThatEndsFirst));
    }
    ~ThreadsEndFirst() {
        if (slot_) Write(reinterpret_cast<ULONG_PTR>(realCreateThread));
    }
    ThreadsEndFirst(const ThreadsEndFirst&) = delete;
    ThreadsEndFirst& operator=(const ThreadsEndFirst&) = delete;
    bool Hooked() const { return slot_ != nullptr; }

private:
    void Write(ULONG_PTR value) {
        DWORD old = 0;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &old);
        *slot_ = value;
        VirtualProtect(slot_, sizeof *slot_, old, &old);
    }
    decltype(IMAGE_THUNK_DATA::u1.Function)* slot_ = nullptr;
};

// The process's open handles, counted by asking for each small handle value
// (handle values are multiples of four, handed out from the bottom).
int OpenHandles() {
    int n = 0;
    DWORD flags = 0;
    for (ULONG_PTR v = 4; v < 0x10000; v += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(v), &flags)) ++n;
    return n;
}

}  // namespace

// The handle is stored before the thread may run: threads that free
// themselves before Start has returned close it, and nothing writes into the
// freed objects afterwards.
TEST(Thread, SelfFreeingThreadsThatEndAtOnceKnowAndCloseTheirHandle) {
    constexpr int kThreads = 50;
    std::atomic<int> freed{0}, known{0};
    const int before = OpenHandles();
    {
        ThreadsEndFirst hook;
        ASSERT_TRUE(hook.Hooked());
        for (int i = 0; i < kThreads; ++i) (new QuickThread(freed, known))->Start();
    }
    ASSERT_TRUE(PumpUntil([&] { return freed.load() == kThreads; }, 20000)) << freed.load();
    EXPECT_EQ(known.load(), kThreads);
    // Some threads may still be on their way out; none keeps a handle.
    EXPECT_TRUE(PumpUntil([&] { return OpenHandles() <= before + 8; }, 5000)) << before << " -> " << OpenHandles();
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

// Each layer's sink, and a test's, takes the place of the one before until put back.
TEST(CallGuarded, HandsWhatItCatchesToTheSinkInUse) {
    std::vector<std::string> caught;
    ReportSink previous = SetReportSink([&](const std::string& message) { caught.push_back(message); });
    CallGuarded([] { throw std::runtime_error("plain"); });
    CallGuarded([] { throw 42; });
    ReportSink collector = SetReportSink([](const std::string&) { throw Exception("the sink failed"); });
    CallGuarded([] { throw Exception("lost"); });  // goes no further than the failing sink
    SetReportSink(std::move(collector));
    CallGuarded([] { throw Exception("again"); });
    SetReportSink(std::move(previous));
    EXPECT_EQ(caught, (std::vector<std::string>{"plain", "Unknown error", "again"}));
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

TEST(PopupMenu, ItemsMadeForHoursNeverShareACommandWithALiveOne) {
    // Menus rebuilt again and again wrap the counter past an item kept all along.
    const TMenuItem early;
    std::set<UINT> live{early.Command()};
    std::vector<std::unique_ptr<TMenuItem>> kept;
    int shared = 0;
    for (int i = 0; i < 62000; ++i) {
        auto item = std::make_unique<TMenuItem>();
        shared += live.count(item->Command()) > 0 || item->Command() >= 0xF000;
        if (i % 100 == 0) live.insert(kept.emplace_back(std::move(item))->Command());
    }
    EXPECT_EQ(shared, 0);
}
