// What the clock's one-second tick spends on the alarms (the alarm mark's
// question and the check) with a full store of 32 alarms, none due, against
// two plain loops in the same run:
//   memory  the due test of every alarm on values already in memory (the floor)
//   profile every alarm's keys read from the file by the profile functions each
//           tick, then the same test (what a check without a kept copy costs)
// and the check when the store changed before every tick (a full read).
//   alarm_bench [TICKS]      prints microseconds per tick and the ratios
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "main/clock/AlarmCheck.h"
#include "bench/BenchTiming.h"
#include "main/clock/core/AlarmRules.h"
#include "main/clock/ClockIni.h"
#include "main/clock/ClockSource.h"
#include "framework/core/MbcsPath.h"
#include "framework/win32/ScopedHandle.h"
#include "main/clock/core/ZoneMath.h"

using namespace worldclock;

namespace {

double Now() { return NowSeconds() * 1e6; }

// 32 alarms, half daily, half one-time, at minutes the ticks never reach.
std::string FullStore() {
    std::string zone = "[Zone]\r\n", count = "[ItemNU]\r\nItemnu=32\r\n", city = "[city]\r\n", date = "[date]\r\n",
                days = "[daySetting]\r\n", time = "[time]\r\n", sound = "[sound]\r\n", files = "[soundfile]\r\n",
                memo = "[Memo]\r\n", image = "[image]\r\n";
    for (int n = 1; n <= 32; ++n) {
        const std::string k = std::to_string(n), name = "City" + k;
        zone += name + "=" + std::to_string((n % 24 - 12) * 60) + "\r\n";
        city += "MyCity" + k + "=" + CityZoneText(name, (n % 24 - 12) * 60) + "\r\n";
        if (n % 2)
            days += "myDaySetting" + k + "=Every day\r\n";
        else
            date += "myDate" + k + "=27-1-" + k.substr(0, 1) + "\r\n";
        time += "myTime" + k + "=" + AlarmTimeText(n % 24, 30, 0) + "\r\n";
        sound += "mySound" + k + "=T/S\r\n";
        files += "mySoundfile" + k + "=C:\\Mivora\\bell\r\n";
        memo += "myMemo" + k + "=memo " + k + "\r\n";
        image += "myImageList" + k + "=1\r\n";
    }
    return zone + count + city + date + days + time + sound + files + memo + image;
}

struct Plain {
    bool on, daily;
    int zone, year, month, day, hour, minute, second;
};

int DueInMemory(const std::vector<Plain>& alarms, const CivilTime& utc) {
    int due = 0;
    for (const Plain& a : alarms) {
        if (!a.on) continue;
        const CivilTime z = ZoneTimeFromUtc(utc, a.zone);
        if (a.hour == z.Hour && a.minute == z.Minute && a.second == z.Second &&
            (a.daily || (a.day == z.Day && a.month == z.Month && a.year == z.Year)))
            ++due;
    }
    return due;
}

std::vector<Plain> ReadEveryKey(const std::string& file) {
    const TClockIni ini(file);
    const int count = std::atoi(ini.ReadString("ItemNU", "Itemnu", "0").c_str());
    std::vector<Plain> alarms;
    for (int n = 1; n <= count; ++n) {
        const std::string k = std::to_string(n);
        Plain a{};
        a.on = ini.ReadString("image", "myImageList" + k, "0") == "1";
        const std::string name = ExtractCityName(ini.ReadString("city", "MyCity" + k, ""), SingleByteCodePage);
        a.zone = ini.ReadOffset("Zone", name, 480);
        a.daily = ini.ReadString("daySetting", "myDaySetting" + k, "") == "Every day";
        ParseAlarmDate(ini.ReadString("date", "myDate" + k, "90-1-1"), a.year, a.month, a.day);
        ParseAlarmTime(ini.ReadString("time", "myTime" + k, "12:12:12"), a.hour, a.minute, a.second);
        ini.ReadString("sound", "mySound" + k, "T");
        ini.ReadFlag("ZoneMenuAlarmDaylight", std::to_string(count + 1 - n), false);
        alarms.push_back(a);
    }
    return alarms;
}

}  // namespace

int main(int argc, char** argv) {
    const int ticks = argc > 1 ? std::atoi(argv[1]) : 2000;
    std::string temp(GetTempPathA(0, nullptr), '\0');
    temp.resize(GetTempPathA(static_cast<DWORD>(temp.size()), &temp[0]));
    const std::string file = temp + "alarm_bench_Zonef.ini";
    const std::string store = FullStore();
    {
        const ScopedFile out(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        DWORD written = 0;
        WriteFile(out.Get(), store.data(), static_cast<DWORD>(store.size()), &written, nullptr);
    }
    SetClockIniNames(file, temp + "alarm_bench_Zonefset.ini");

    // The clock moves a second a tick through an hour none of the alarms is set in.
    CivilTime utc{2026, 12, 9, 5, 0, 0, 0};
    SetClockSource([&] { return TClockReading{utc, 0}; });
    auto step = [&](int i) { utc.Minute = (i / 60) % 60, utc.Second = i % 60; };

    double t0 = Now();
    for (int i = 0; i < ticks; ++i) step(i), AlarmsExist(), CheckAlarms();
    const double check = (Now() - t0) / ticks;

    const int coldTicks = ticks / 10 + 1;
    t0 = Now();
    for (int i = 0; i < coldTicks; ++i) step(i), AlarmStoreChanged(), AlarmsExist(), CheckAlarms();
    const double cold = (Now() - t0) / coldTicks;

    const std::vector<Plain> inMemory = ReadEveryKey(file);
    int due = 0;
    t0 = Now();
    for (int i = 0; i < ticks; ++i) step(i), due += DueInMemory(inMemory, utc);
    const double memory = (Now() - t0) / ticks;

    t0 = Now();
    for (int i = 0; i < coldTicks; ++i) step(i), due += DueInMemory(ReadEveryKey(file), utc);
    const double profile = (Now() - t0) / coldTicks;

    DeleteFileA(file.c_str());
    std::printf("alarms 32, ticks %d, due %d\n", ticks, due);
    std::printf("check (store unchanged)   %9.2f us/tick\n", check);
    std::printf("check (store changed)     %9.2f us/tick\n", cold);
    std::printf("plain loop, memory        %9.2f us/tick   check/memory  %9.1f\n", memory, check / memory);
    std::printf("plain loop, profile reads %9.2f us/tick   check/profile %9.5f\n", profile, check / profile);
    return check < 1000.0 ? 0 : 1;
}
