// The export of the backup library that the bar calls: it opens the backup
// window inside the caller's process and returns at once.
#pragma once

extern "C" int VukFunction(void);
