// The alarm store as a user may have edited it: whatever the file holds, the
// store reads at most 32 alarms, the check and its texts stay within bounds
// while the machine's offset changes, and what is saved reads back as it was.
#include <cstdint>
#include <string>

#include "main/clock/core/AlarmDue.h"
#include "main/clock/core/AlarmStore.h"
#include "framework/core/LeadBytes.h"
#include "main/clock/core/ZoneIni.h"

using namespace worldclock;

namespace {
void Require(bool condition) {
    if (!condition) __builtin_trap();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const TIniText ini(std::string(reinterpret_cast<const char*>(data), size));
    TSpareRows spare;
    const std::vector<TStoredAlarm> alarms = LoadAlarms(ini, &spare);
    Require(alarms.size() <= static_cast<size_t>(MaxAlarms));
    for (const TStoredAlarm& a : alarms) Require(a.State >= asNone && a.State <= asDone && !a.Date.empty());

    const auto checked = CheckedAlarms(
        alarms, [&](const std::string& name) { return ParseIniOffset(ini.ReadString("Zone", name, "480"), 480); },
        Cp932LeadByte);
    TCheckWindow window;
    int localOffset = 840;
    for (long long now : {0LL, 1790000000000LL, 1790000030000LL, 1790000030000LL, 4102444800000LL}) {
        for (const TDueAlarm& d : window.Due(checked, localOffset -= 60, now)) {
            Require(d.Row >= 1 && d.Row <= static_cast<int>(alarms.size()));
            Require(alarms[static_cast<size_t>(d.Row - 1)].State == asOn);
        }
    }
    for (const TCheckedAlarm& c : checked) {
        CivilTime now{2026, 3, 1, 12, 0, 0, 0};
        const AlarmState s = AlarmOneTimeState(c.Moment, CheckedOffset(c, -840), now);
        Require(s == asOn || s == asDone);
    }

    TIniText saved(ini);
    SaveAlarms(saved, alarms, spare);
    const std::vector<TStoredAlarm> again = LoadAlarms(TIniText(saved.Text()));
    Require(again.size() == alarms.size());
    for (size_t i = 0; i < again.size(); ++i) {
        Require(again[i].State == alarms[i].State && again[i].Daily() == alarms[i].Daily());
        Require(again[i].Daylight == alarms[i].Daylight);
        Require(AlarmMomentOf(again[i]).Valid == AlarmMomentOf(alarms[i]).Valid);
    }
    return 0;
}
