#include "ClockTestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

#include "ClockIni.h"
#include "ClockRules.h"
#include "StrUtils.h"

CivilTime Civil(int year, int month, int day, int hour, int minute, int second) {
    CivilTime t;
    t.Year = year;
    t.Month = month;
    t.Day = day;
    t.Hour = hour;
    t.Minute = minute;
    t.Second = second;
    return t;
}

namespace {
SYSTEMTIME ToSystemTime(const CivilTime& t) {
    SYSTEMTIME st{};
    st.wYear = static_cast<WORD>(t.Year);
    st.wMonth = static_cast<WORD>(t.Month);
    st.wDay = static_cast<WORD>(t.Day);
    st.wHour = static_cast<WORD>(t.Hour);
    st.wMinute = static_cast<WORD>(t.Minute);
    st.wSecond = static_cast<WORD>(t.Second);
    st.wMilliseconds = static_cast<WORD>(t.Millisecond);
    return st;
}
}  // namespace

CivilTime SystemZoneTime(const CivilTime& utc, int minutes) {
    SYSTEMTIME st = ToSystemTime(utc);
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    ULARGE_INTEGER u;
    u.LowPart = ft.dwLowDateTime;
    u.HighPart = ft.dwHighDateTime;
    u.QuadPart += static_cast<ULONGLONG>(static_cast<LONGLONG>(minutes) * 600000000LL);
    ft.dwLowDateTime = u.LowPart;
    ft.dwHighDateTime = u.HighPart;
    FileTimeToSystemTime(&ft, &st);
    return Civil(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
}

std::string LocaleShortDayName(int year, int month, int day) {
    SYSTEMTIME st = ToSystemTime(Civil(year, month, day));
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    FileTimeToSystemTime(&ft, &st);  // fills the weekday
    // LOCALE_SABBREVDAYNAME1 is Monday; the record counts from Sunday.
    const LCTYPE type = LOCALE_SABBREVDAYNAME1 + (st.wDayOfWeek + 6) % 7;
    char buf[64] = {};
    GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buf, sizeof buf);
    return buf;
}

std::string LocaleLongTime(const CivilTime& t) {
    SYSTEMTIME st = ToSystemTime(t);
    char buf[128] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &st, nullptr, buf, sizeof buf);
    return buf;
}

FakeClock::FakeClock(const CivilTime& utc, int localOffset) : Utc(utc), LocalOffset(localOffset) {
    previous_ = SetClockSource([this] {
        TClockReading r;
        r.Utc = Utc;
        r.LocalOffset = LocalOffset;
        return r;
    });
}

FakeClock::~FakeClock() { SetClockSource(previous_); }

ClockFiles::ClockFiles() { SetClockIniNames(ZonePath(), SetPath()); }

ClockFiles::~ClockFiles() {
    // The system caches profile files; let it forget these before they go.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, ZonePath().c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, SetPath().c_str());
    SetClockIniNames("", "");
}

namespace {
std::vector<std::pair<std::string, std::vector<std::string>>> ParseIni(const std::string& bytes) {
    std::vector<std::pair<std::string, std::vector<std::string>>> sections;
    std::istringstream in(bytes);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        line = Trim(line);
        if (line.empty()) continue;
        if (line.front() == '[') {
            const size_t close = line.find(']');
            sections.push_back({line.substr(1, close == std::string::npos ? std::string::npos : close - 1), {}});
            continue;
        }
        if (sections.empty()) sections.push_back({"", {}});
        const size_t eq = line.find('=');
        sections.back().second.push_back(eq == std::string::npos
                                             ? line
                                             : Trim(line.substr(0, eq)) + "=" + Trim(line.substr(eq + 1)));
    }
    return sections;
}
}  // namespace

std::string IniContent(const std::string& bytes) {
    std::string out;
    for (const auto& section : ParseIni(bytes)) {
        out += "[" + section.first + "]\n";
        for (const auto& line : section.second) out += line + "\n";
    }
    return out;
}

std::string IniSection(const std::string& bytes, const std::string& section) {
    for (const auto& s : ParseIni(bytes)) {
        if (!SameTextAscii(s.first, section)) continue;
        std::string out;
        for (const auto& line : s.second) out += line + "\n";
        return out;
    }
    return "";
}

TestBar::TestBar(int width) {
    Form = new TForm(Application);
    Form->BorderStyle = TBorderStyle::bsNone;
    Form->FormStyle = TFormStyle::fsStayOnTop;
    Form->SetBounds(100, 100, width, 22);
    Form->HandleNeeded();
    Qtime = new TPanel(Form);
    Qtime->SetName("Qtime");
    Qtime->SetColor(clBlack);
    Qtime->FontColor = clLime;
    Qtime->BevelOuter = TBevelCut::bvNone;
    Qtime->BevelInner = TBevelCut::bvLowered;
    Qtime->SetBounds(width - 58, 0, 58, 22);
    Qtime->SetParent(Form);
    ZoneHint = new TLabel(Form);
    ZoneHint->SetName("ZoneHint");
    ZoneHint->SetCaption(LocalTimeName);
    ZoneHint->SetBounds(0, 4, 120, 13);
    ZoneHint->SetParent(Form);
    TClockHost host;
    host.Bar = Form;
    host.Qtime = Qtime;
    host.ZoneHint = ZoneHint;
    host.OpenMenuKind = &OpenMenuKind;
    host.TipHandle = &Tip;
    Clock = AttachClockPanel(host);
    Form->Show();
}

TestBar::~TestBar() { delete Form; }

std::vector<std::string> TestBar::MenuCaptions() const {
    std::vector<std::string> captions;
    TMenuItem* items = Clock->MyPopupMenu->Items();
    for (int i = 0; i < items->Count(); ++i) captions.push_back(items->Items(i)->Caption);
    return captions;
}

int TestBar::CheckedIndex() const {
    int checked = -1;
    TMenuItem* items = Clock->MyPopupMenu->Items();
    for (int i = 0; i < items->Count(); ++i)
        if (items->Items(i)->Checked) checked = i;
    return checked;
}

DialogAnswers::DialogAnswers() {
    previous_ = SetMessageDlgHook([this](const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons) {
        texts.push_back(text);
        types.push_back(type);
        if (!answers.empty()) {
            const int answer = answers.front();
            answers.pop_front();
            return answer;
        }
        return (buttons & mbYes) ? static_cast<int>(mrYes) : static_cast<int>(mrOk);
    });
}

DialogAnswers::~DialogAnswers() { SetMessageDlgHook(previous_); }

RecordedCommands::RecordedCommands() : previous_(ClockRunCommand) {
    ClockRunCommand = [this](const std::string& line) { lines.push_back(line); };
}

RecordedCommands::~RecordedCommands() { ClockRunCommand = previous_; }

// ---- scripts ----

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
