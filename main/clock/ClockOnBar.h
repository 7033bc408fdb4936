// The world clock on the bar window: the bar makes the clock panel and its
// zone menu while its window is created, ticks the clock every second and
// keeps the chosen place when it closes.
#pragma once

namespace worldclock {

// Hands the bar its clock; called before the bar is created.
void AttachClockToBar();

}  // namespace worldclock
