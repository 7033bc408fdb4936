#include "AlarmStore.h"

#include "StrUtils.h"
#include "ZoneIni.h"

const char EveryDayText[] = "Every day";

namespace {
const char kCount[] = "ItemNU";
const char kWorkingDaylight[] = "ZoneMenuAlarmTempDaylight";
const char kCommittedDaylight[] = "ZoneMenuAlarmDaylight";

std::string Num(int n) { return IntToStr(n); }

std::string ReadKey(const TProfile& ini, const char* section, const char* prefix, int n, const char* def) {
    return ini.ReadString(section, prefix + Num(n), def);
}

int StoredCount(const TProfile& ini) { return ParseIniCount(ini.ReadString(kCount, "Itemnu", "0"), MaxAlarms, 0); }
}  // namespace

bool operator==(const TStoredAlarm& a, const TStoredAlarm& b) {
    return a.Date == b.Date && a.Time == b.Time && a.Location == b.Location && a.Style == b.Style &&
           a.SoundFile == b.SoundFile && a.Memo == b.Memo && a.State == b.State;
}

// ---- the alarms ----

std::vector<TStoredAlarm> LoadAlarms(const TProfile& ini) {
    const int count = StoredCount(ini);
    std::vector<TStoredAlarm> alarms(static_cast<size_t>(count));
    for (int n = 1; n <= count; ++n) {
        TStoredAlarm& a = alarms[static_cast<size_t>(n - 1)];
        a.Location = ReadKey(ini, "city", "MyCity", n, "Hong kong(GMT+08:00)");
        a.Time = ReadKey(ini, "time", "myTime", n, "12:12:12");
        a.Style = ReadKey(ini, "sound", "mySound", n, "T");
        a.Date = ReadKey(ini, "daySetting", "myDaySetting", n, "");
        // A key written empty would leave a row that holds no alarm amid those that do.
        if (a.Date.empty()) a.Date = ReadKey(ini, "date", "myDate", n, "");
        if (a.Date.empty()) a.Date = "99-1-1";
        a.SoundFile = ReadKey(ini, "soundfile", "mySoundfile", n, "");
        a.Memo = ReadKey(ini, "Memo", "myMemo", n, "");
        a.State = ParseIniInt(ReadKey(ini, "image", "myImageList", n, "0"), asNone, asDone, asNone);
    }
    return alarms;
}

bool AlarmsStored(const TProfile& ini) { return StoredCount(ini) > 0; }

void SaveAlarms(TProfile& ini, const std::vector<TStoredAlarm>& alarms) {
    const int count = static_cast<int>(alarms.size() < MaxAlarms ? alarms.size() : MaxAlarms);
    ini.EraseSection("daySetting");
    for (int n = 1; n <= count; ++n) {
        const TStoredAlarm& a = alarms[static_cast<size_t>(n - 1)];
        ini.WriteString(kCount, "Itemnu", Num(n));
        ini.WriteString("city", "MyCity" + Num(n), a.Location);
        if (a.Daily())
            ini.WriteString("daySetting", "myDaySetting" + Num(n), EveryDayText);
        else
            ini.WriteString("date", "myDate" + Num(n), a.Date);
        ini.WriteString("time", "myTime" + Num(n), a.Time);
        ini.WriteString("sound", "mySound" + Num(n), a.Style);
    }
    for (int s = 0; s < AlarmSlotCount; ++s) {
        const bool used = s >= 1 && s <= count;
        const TStoredAlarm* a = used ? &alarms[static_cast<size_t>(s - 1)] : nullptr;
        ini.WriteString("soundfile", "mySoundfile" + Num(s), a ? a->SoundFile : "");
        ini.WriteString("Memo", "myMemo" + Num(s), a ? a->Memo : "");
        ini.WriteString("image", "myImageList" + Num(s), Num(a ? a->State : asNone));
    }
    if (count == 0) ini.WriteString(kCount, "Itemnu", "0");
    for (int k = 1; k <= count; ++k)
        ini.WriteString(kCommittedDaylight, Num(k), ReadAlarmDaylight(ini, true, k) ? "1" : "0");
}

bool ReadAlarmDaylight(const TProfile& ini, bool working, int key) {
    return ParseIniFlag(ini.ReadString(working ? kWorkingDaylight : kCommittedDaylight, Num(key), "0"), false);
}

void WriteWorkingDaylight(TProfile& ini, int key, bool value) {
    ini.WriteString(kWorkingDaylight, Num(key), value ? "1" : "0");
}

void CompactDaylightFlags(TProfile& ini, int removedKey, int count) {
    for (int j = removedKey; j < count; ++j) WriteWorkingDaylight(ini, j, ReadAlarmDaylight(ini, true, j + 1));
    if (count >= 1) WriteWorkingDaylight(ini, count, false);
}

void MarkAlarmDone(TProfile& ini, int row) { ini.WriteString("image", "myImageList" + Num(row), Num(asDone)); }
