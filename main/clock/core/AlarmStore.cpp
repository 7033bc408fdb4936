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

// Blanks, tabs and the line's end around a name or value.
std::string TrimIni(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

int StoredCount(const TProfile& ini) { return ParseIniCount(ini.ReadString(kCount, "Itemnu", "0"), MaxAlarms, 0); }
}  // namespace

bool operator==(const TStoredAlarm& a, const TStoredAlarm& b) {
    return a.Date == b.Date && a.Time == b.Time && a.Location == b.Location && a.Style == b.Style &&
           a.SoundFile == b.SoundFile && a.Memo == b.Memo && a.State == b.State;
}

// ---- the profile as text ----

TIniText::TIniText(const std::string& text) {
    Section* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = TrimIni(text.substr(pos, end - pos));
        pos = end + 1;
        if (!line.empty() && line[0] == '[') {
            const size_t close = line.find(']');
            const std::string name =
                TrimIni(line.substr(1, close == std::string::npos ? std::string::npos : close - 1));
            current = Find(name);
            if (!current) {
                sections_.push_back(Section{name, {}});
                current = &sections_.back();
            }
            continue;
        }
        const size_t eq = line.find('=');
        if (!current || eq == std::string::npos || line[0] == ';') continue;
        current->keys.emplace_back(TrimIni(line.substr(0, eq)), TrimIni(line.substr(eq + 1)));
    }
}

TIniText::Section* TIniText::Find(const std::string& name) {
    for (Section& s : sections_)
        if (SameTextAscii(s.name, name)) return &s;
    return nullptr;
}

const TIniText::Section* TIniText::Find(const std::string& name) const {
    return const_cast<TIniText*>(this)->Find(name);
}

std::string TIniText::ReadString(const std::string& section, const std::string& key, const std::string& def) const {
    const Section* s = Find(section);
    if (!s) return def;
    for (const auto& kv : s->keys) {
        if (!SameTextAscii(kv.first, key)) continue;
        const std::string& v = kv.second;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            return v.substr(1, v.size() - 2);
        return v;
    }
    return def;
}

void TIniText::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    Section* s = Find(section);
    if (!s) {
        sections_.push_back(Section{section, {}});
        s = &sections_.back();
    }
    for (auto& kv : s->keys)
        if (SameTextAscii(kv.first, key)) {
            kv.second = value;
            return;
        }
    s->keys.emplace_back(key, value);
}

void TIniText::EraseSection(const std::string& section) {
    for (size_t i = 0; i < sections_.size(); ++i)
        if (SameTextAscii(sections_[i].name, section)) {
            sections_.erase(sections_.begin() + static_cast<std::ptrdiff_t>(i));
            return;
        }
}

std::string TIniText::Text() const {
    std::string out;
    for (const Section& s : sections_) {
        out += "[" + s.name + "]\r\n";
        for (const auto& kv : s.keys) out += kv.first + "=" + kv.second + "\r\n";
    }
    return out;
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
