// The backup library's entry, called by the bar's "Mivora backup" item.
#include <windows.h>

#include "backup/BackupMainDlg.h"
#include "framework/win32/CallGuarded.h"
#include "backup/Dorvane.h"

extern "C" int VukFunction(void) {
    CallGuarded(backup::OpenBackupWindow);
    return 0;
}
