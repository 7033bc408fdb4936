#include "main/clock/ClockOnBar.h"

#include "main/clock/ClockPanel.h"
#include "main/bar/mainfrm.h"

namespace worldclock {

using bar::BarExtensions;
using bar::OpenMenuKind;
using bar::TForm1;
using bar::TipHandle;

namespace {

void BuildBarClock(TForm1* bar) {
    TClockHost host;
    host.Bar = bar;
    host.Qtime = bar->Qtime;
    host.ZoneHint = bar->ZoneHint;
    host.OpenMenuKind = &OpenMenuKind;
    host.TipHandle = &TipHandle;
    AttachClockPanel(host);
    BuildZoneMenu();
}

}  // namespace

void AttachClockToBar() {
    BarExtensions.BuildZoneMenu = BuildBarClock;
    BarExtensions.SaveZoneSelection = [](TForm1*) { SaveZoneSelection(); };
    BarExtensions.ClockTick = [](TForm1*) { ClockTick(); };
}

}  // namespace worldclock
