#include "tests/win/clock/ClockTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "main/clock/ClockIni.h"
#include "main/clock/core/ClockRules.h"
#include "framework/core/StrUtils.h"

using namespace worldclock;

CivilTime Civil(int year, int month, int day, int hour, int minute, int second) {
    return CivilTime{year, month, day, hour, minute, second};
}

CivilTime SystemZoneTime(const CivilTime& utc, int minutes) {
    SYSTEMTIME st = SystemTimeOf(utc);
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
    SYSTEMTIME st = SystemTimeOf(Civil(year, month, day));
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
    SYSTEMTIME st = SystemTimeOf(t);
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

TestBar::TestBar(int width, const char* fontName, int fontSize) {
    Form = new TForm(Application);
    if (fontName) Form->FontName = fontName;
    Form->FontSize = fontSize;
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

Snapshot SnapWindow(HWND hwnd) {
    Snapshot shot;
    RECT r{};
    GetClientRect(hwnd, &r);
    shot.Width = r.right;
    shot.Height = r.bottom;
    if (shot.Width <= 0 || shot.Height <= 0) return shot;
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = shot.Width;
    bi.bmiHeader.biHeight = -shot.Height;  // top row first
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP dib = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, dib);
    BitBlt(mem, 0, 0, shot.Width, shot.Height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* px = static_cast<const unsigned*>(bits);
    shot.Pixels.assign(px, px + static_cast<size_t>(shot.Width) * static_cast<size_t>(shot.Height));
    for (unsigned& p : shot.Pixels) p &= 0xFFFFFF;
    SelectObject(mem, old);
    DeleteObject(dib);
    DeleteDC(mem);
    ReleaseDC(hwnd, screen);
    return shot;
}

void KeepSnapshot(const Snapshot& shot, const std::string& name) {
    const char* folder = std::getenv("MIVORA_CLOCK_SHOTS");
    if (!folder || !*folder || shot.Width <= 0) return;
    const size_t rowBytes = (static_cast<size_t>(shot.Width) * 3 + 3) & ~static_cast<size_t>(3);
    BITMAPFILEHEADER fh{};
    BITMAPINFOHEADER ih{};
    ih.biSize = sizeof ih;
    ih.biWidth = shot.Width;
    ih.biHeight = shot.Height;
    ih.biPlanes = 1;
    ih.biBitCount = 24;
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof fh + sizeof ih;
    fh.bfSize = static_cast<DWORD>(fh.bfOffBits + rowBytes * static_cast<size_t>(shot.Height));
    std::string bytes(reinterpret_cast<const char*>(&fh), sizeof fh);
    bytes.append(reinterpret_cast<const char*>(&ih), sizeof ih);
    for (int y = shot.Height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < shot.Width; ++x) {
            const unsigned p = shot.At(x, y);
            row[static_cast<size_t>(x) * 3] = static_cast<char>(p & 0xFF);
            row[static_cast<size_t>(x) * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
            row[static_cast<size_t>(x) * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
        }
        bytes += row;
    }
    WriteFileBytes(IncludeTrailingBackslash(folder) + name + ".bmp", bytes);
}

bool PanelInk::Overlap() const {
    RECT both{};
    return IntersectRect(&both, &Text, &Mark) != FALSE;
}

namespace {
void Grow(RECT& r, int x, int y) {
    if (IsRectEmpty(&r)) {
        SetRect(&r, x, y, x + 1, y + 1);
        return;
    }
    r.left = std::min<LONG>(r.left, x);
    r.top = std::min<LONG>(r.top, y);
    r.right = std::max<LONG>(r.right, x + 1);
    r.bottom = std::max<LONG>(r.bottom, y + 1);
}
}  // namespace

PanelInk AlarmMarkAndTime(TClockPanel* clock, TPanel* qtime, const std::string& shotName) {
    PanelInk ink;
    const Snapshot with = SnapWindow(qtime->Handle());
    clock->AlarmImage->SetVisible(false);
    const Snapshot without = SnapWindow(qtime->Handle());
    clock->AlarmImage->SetVisible(true);
    SnapWindow(qtime->Handle());
    KeepSnapshot(with, shotName);
    const unsigned background = static_cast<unsigned>(ColorToRGB(qtime->Color()));
    // The same colour either way round: a COLORREF is 0x00BBGGRR.
    const unsigned back = ((background & 0xFF) << 16) | (background & 0xFF00) | ((background >> 16) & 0xFF);
    for (int y = ink.Inset; y < with.Height - ink.Inset; ++y)
        for (int x = ink.Inset; x < with.Width - ink.Inset; ++x) {
            if (with.At(x, y) != without.At(x, y)) Grow(ink.Mark, x, y);
            if (without.At(x, y) != back) Grow(ink.Text, x, y);
        }
    return ink;
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
