// The backup library's entry, called by the bar's "Mivora backup" item.
#include <windows.h>

#include "BackupMainDlg.h"
#include "CallGuarded.h"
#include "Dorvane.h"

extern "C" int VukFunction(void) {
    CallGuarded(OpenBackupWindow);
    return 0;
}
