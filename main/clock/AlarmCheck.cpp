#include "main/clock/AlarmCheck.h"

#include <windows.h>
#include <mmsystem.h>

#include <exception>
#include <memory>
#include <vector>

#include "main/clock/core/AlarmDue.h"
#include "main/clock/AlarmMes.h"
#include "main/clock/ClockIni.h"
#include "main/clock/ClockPanel.h"
#include "main/clock/ClockSource.h"
#include "framework/forms/IniFile.h"
#include "framework/win32/LeadByte.h"
#include "framework/win32/ScopedHandle.h"
#include "main/clock/SetAlarm.h"
#include "main/clock/UnitSingleAla.h"
#include "main/clock/core/ZoneIni.h"
#include "framework/win32/SystemLibrary.h"

namespace worldclock {

std::function<void(const std::string&)> AlarmPlaySound = [](const std::string& path) {
    // Looked up when the first alarm sounds (SystemLibrary.h).
    using SndPlaySoundFn = BOOL(WINAPI*)(LPCSTR, UINT);
    static const auto play = SystemProc<SndPlaySoundFn>("winmm.dll", "sndPlaySoundA");
    if (play) play(path.c_str(), SND_ASYNC);
};

namespace {
struct TFileStamp {
    bool exists = false;
    DWORD sizeLow = 0, sizeHigh = 0;
    FILETIME written{};
    bool operator==(const TFileStamp& o) const {
        return exists == o.exists && sizeLow == o.sizeLow && sizeHigh == o.sizeHigh &&
               CompareFileTime(&written, &o.written) == 0;
    }
};

// The size and time of the file. Windows 95 has no GetFileAttributesEx, and a
// search for the one name, which gives the same, costs thirty times as much
// under Wine: looked up by name, the search only where it is missing.
TFileStamp StampOf(const std::string& file) {
    using AttributesExFn = BOOL(WINAPI*)(LPCSTR, GET_FILEEX_INFO_LEVELS, LPVOID);
    static const auto attributesEx = reinterpret_cast<AttributesExFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetFileAttributesExA")));
    TFileStamp stamp;
    if (attributesEx) {
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!attributesEx(file.c_str(), GetFileExInfoStandard, &data)) return stamp;
        stamp.exists = true;
        stamp.sizeLow = data.nFileSizeLow;
        stamp.sizeHigh = data.nFileSizeHigh;
        stamp.written = data.ftLastWriteTime;
        return stamp;
    }
    WIN32_FIND_DATAA found{};
    const ScopedFind find(FindFirstFileA(file.c_str(), &found));
    if (!find) return stamp;
    stamp.exists = true;
    stamp.sizeLow = found.nFileSizeLow;
    stamp.sizeHigh = found.nFileSizeHigh;
    stamp.written = found.ftLastWriteTime;
    return stamp;
}

// The store as last read, read again only when the file changed (its size or
// time) or was written here, so a tick costs one look at the file.
struct TStoreCache {
    bool loaded = false;
    std::string file;
    TFileStamp stamp;
    int count = 0;
    std::vector<TCheckedAlarm> alarms;
};

TStoreCache& Cache() {
    static TStoreCache cache;
    return cache;
}

TCheckWindow& Window() {
    static TCheckWindow window;
    return window;
}

const TStoreCache& Store() {
    TStoreCache& cache = Cache();
    const TClockIni ini = ZoneIni();
    const TFileStamp stamp = StampOf(ini.FileName());
    if (cache.loaded && cache.file == ini.FileName() && cache.stamp == stamp) return cache;
    const TIniText profile = ReadStoreSections(ini);
    const std::vector<TStoredAlarm> alarms = LoadAlarms(profile);
    cache.alarms = CheckedAlarms(
        alarms, [&](const std::string& name) { return ParseIniOffset(profile.ReadString("Zone", name, "480"), 480); },
        SystemLeadByte);
    cache.count = static_cast<int>(alarms.size());
    cache.file = ini.FileName();
    cache.stamp = stamp;
    cache.loaded = true;
    return cache;
}

void ShowNotice(const TDueAlarm& due) {
    auto notice = std::make_unique<TAlarmMes>(nullptr);
    TAlarmMes* previous = AlarmMes;
    AlarmMes = notice.get();
    const TStoredAlarm& a = due.Alarm;
    notice->Label1->SetCaption(due.NoticeText);
    if (StyleHasText(a.Style)) notice->Memo1->SetText(a.Memo);
    if (StyleHasSound(a.Style)) AlarmPlaySound(WavFileOf(a.SoundFile));
    notice->ShowModal();
    AlarmMes = previous;
}
}  // namespace

TIniText ReadStoreSections(const TClockIni& ini) {
    std::string text;
    for (const char* section : {"Zone", "ItemNU", "city", "date", "daySetting", "time", "sound", "soundfile", "Memo",
                                "image", "ZoneMenuAlarmDaylight"}) {
        TStringList lines;
        TIniFile(ini.FileName()).ReadSectionValues(section, lines);
        text += std::string("[") + section + "]\n";
        for (int i = 0; i < lines.Count(); ++i) text += lines[i] + "\n";
    }
    return TIniText(text);
}

void CheckAlarms() {
    const TClockReading now = ReadClock();
    // The window moves on before any notice shows: the ticks inside the
    // notice's own message loop then look only at later instants.
    const std::vector<TDueAlarm> due = Window().Due(Store().alarms, now.LocalOffset, InstantOf(now.Utc));
    for (const TDueAlarm& d : due) {
        // Done before the notice shows, so an alarm whose notice is open, or
        // whose program ended with it open, never fires again.
        std::exception_ptr failure;
        if (!d.Alarm.Daily()) {
            try {
                TClockProfile profile(ZoneIni());
                MarkAlarmDone(profile, d.Row);
            } catch (...) {
                failure = std::current_exception();
            }
            AlarmStoreChanged();
        }
        ShowNotice(d);
        if (failure) std::rethrow_exception(failure);
    }
}

bool AlarmsExist() { return Store().count > 0; }

void AlarmStoreChanged() { Cache().loaded = false; }

void ResetAlarmCheck() {
    Window() = TCheckWindow();
    AlarmStoreChanged();
}

void ConnectAlarms() {
    ClockAlarmLink.AlarmsExist = AlarmsExist;
    ClockAlarmLink.AlarmListVisible = [] { return Alarm && Alarm->Visible(); };
    ClockAlarmLink.CheckAlarms = CheckAlarms;
    // The list is made when first asked for: nothing checks alarms through it.
    ClockAlarmLink.ShowAlarmList = [] {
        if (!Alarm) Alarm = TForm::Create<TAlarm>(Application);
        Alarm->ShowModal();
    };
}

}  // namespace worldclock
