// The four schedule dialogs: every hour at a minute, every day, week or month
// at a time. Each shows the settings of its section of the library's profile
// (HOUR, DAY, WEEK, MONTH) and on OK stores them there and in the library's
// schedule, with the schedule's text.
#pragma once
#include "framework/dialogs/Dialog.h"

namespace backup {

// The dialog of `kind` (schedule::ScheduleKind), modal over `parent`.
INT_PTR RunScheduleDialog(int kind, CWnd* parent);

}  // namespace backup
