// The progress notice a copy, split or join worker posts to its progress
// dialog. Posted, never sent: a worker must not wait for the dialog's thread.
#pragma once

// WM_USER + 100.
constexpr unsigned WM_JOBPROGRESS = 0x0400 + 100;

enum JobProgressKind : unsigned {
    kJobEnded = 0,    // the worker's run is over (its last notice)
    kJobPercent = 1,  // lParam: percentage
    kJobItem = 2,     // lParam: item or piece number
};
