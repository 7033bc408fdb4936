#include "main/clock/core/AlarmStore.h"

#include "framework/core/StrUtils.h"
#include "main/clock/core/ZoneIni.h"

namespace worldclock {

const char EveryDayText[] = "Every day";

namespace {
const char kCount[] = "ItemNU";
const char kWorkingDaylight[] = "ZoneMenuAlarmTempDaylight";
const char kCommittedDaylight[] = "ZoneMenuAlarmDaylight";

std::string Num(int n) { return IntToStr(n); }

std::string ReadKey(const TProfile& ini, const char* section, const char* prefix, int n, const char* def) {
    return ini.ReadString(section, prefix + Num(n), def);
}

// The row a per-row key names ("myDaySetting12" gives 12); 0 for any other key.
int RowOfKey(const std::string& key, const std::string& prefix) {
    if (key.size() <= prefix.size() || key.size() > prefix.size() + 9 ||
        !SameTextAscii(key.substr(0, prefix.size()), prefix) || key[prefix.size()] == '0')
        return 0;
    int n = 0;
    for (size_t i = prefix.size(); i < key.size(); ++i) {
        if (key[i] < '0' || key[i] > '9') return 0;
        n = n * 10 + (key[i] - '0');
    }
    return n;
}

int StoredCount(const TProfile& ini) { return ParseIniCount(ini.ReadString(kCount, "Itemnu", "0"), MaxAlarms, 0); }
}  // namespace

bool operator==(const TStoredAlarm& a, const TStoredAlarm& b) {
    return a.Date == b.Date && a.Time == b.Time && a.Location == b.Location && a.Style == b.Style &&
           a.SoundFile == b.SoundFile && a.Memo == b.Memo && a.State == b.State && a.Daylight == b.Daylight;
}

// ---- the alarms ----

std::vector<TStoredAlarm> LoadAlarms(const TProfile& ini, TSpareRows* spare) {
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
        a.Daylight = ParseIniFlag(ini.ReadString(kCommittedDaylight, Num(DaylightKey(n, count)), "0"), false);
    }
    if (spare) {
        *spare = TSpareRows();
        for (int s = 0; s < AlarmSlotCount; ++s) {
            if (s >= 1 && s <= count) continue;
            spare->SoundFile[s] = ReadKey(ini, "soundfile", "mySoundfile", s, "");
            spare->Memo[s] = ReadKey(ini, "Memo", "myMemo", s, "");
            spare->State[s] = ReadKey(ini, "image", "myImageList", s, "0");
            if (s) spare->DaySetting[s] = ReadKey(ini, "daySetting", "myDaySetting", s, "");
        }
    }
    return alarms;
}

bool AlarmsStored(const TProfile& ini) { return StoredCount(ini) > 0; }

void SaveAlarms(TProfile& ini, const std::vector<TStoredAlarm>& alarms, const TSpareRows& spare) {
    const int count = static_cast<int>(alarms.size() < MaxAlarms ? alarms.size() : MaxAlarms);
    // The daily marks the list does not write go back as they were: those of
    // the rows past 32 and of rows it never read.
    std::vector<std::pair<std::string, std::string>> kept;
    for (const auto& mark : ini.ReadEntries("daySetting")) {
        const int n = RowOfKey(mark.first, "myDaySetting");
        if (n == 0 || n > MaxAlarms || (n > count && !spare.DaySetting[static_cast<size_t>(n)].empty()))
            kept.push_back(mark);
    }
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
    for (const auto& mark : kept) ini.WriteString("daySetting", mark.first, mark.second);
    for (int s = 0; s < AlarmSlotCount; ++s) {
        const bool used = s >= 1 && s <= count;
        const TStoredAlarm* a = used ? &alarms[static_cast<size_t>(s - 1)] : nullptr;
        const auto i = static_cast<size_t>(s);
        ini.WriteString("soundfile", "mySoundfile" + Num(s), a ? a->SoundFile : spare.SoundFile[i]);
        ini.WriteString("Memo", "myMemo" + Num(s), a ? a->Memo : spare.Memo[i]);
        ini.WriteString("image", "myImageList" + Num(s), a ? Num(a->State) : spare.State[i]);
    }
    if (count == 0) ini.WriteString(kCount, "Itemnu", "0");
    for (int k = 1; k <= count; ++k) {
        const char* flag = alarms[static_cast<size_t>(count - k)].Daylight ? "1" : "0";
        ini.WriteString(kWorkingDaylight, Num(k), flag);
        ini.WriteString(kCommittedDaylight, Num(k), flag);
    }
}

void MarkAlarmDone(TProfile& ini, int row) { ini.WriteString("image", "myImageList" + Num(row), Num(asDone)); }

}  // namespace worldclock
