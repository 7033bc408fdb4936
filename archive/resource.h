// Resource and control numbers of the archive library's dialogs. The numbers
// are part of the dialogs' identity (tests and accessibility tools find
// controls by them).
#pragma once

// Dialog templates: the pack dialog and its pages.
#define IDD_PACK 2005
#define IDD_PACK_TAR 2008
#define IDD_PACK_ZIP 2009
#define IDD_PACK_LZH 2012
// The unpack dialog; the pack-for-mail dialog and its pages.
#define IDD_UNPACK 2001
#define IDD_MAIL 6004
#define IDD_MAIL_ZIP 6005
#define IDD_MAIL_TAR 6006
#define IDD_MAIL_LZH 6007

// Icons.
#define IDI_UNPACK 1503
#define IDI_PACK 1504
#define IDI_BROWSE 4003

// Controls of the pack dialogs.
#define IDC_ARCHIVE_PATH 3004
#define IDC_FORMAT_TABS 3010
#define IDC_BROWSE 6002
// The unpack dialog's destination (the pack dialogs' archive field) and options.
#define IDC_DESTINATION 3004
#define IDC_USE_PATH 3491
#define IDC_SERIAL 3559

// Controls of the pages.
#define IDC_PATH_NONE 3500
#define IDC_PATH_RELATIVE 3501
#define IDC_PATH_ABSOLUTE 3502
#define IDC_ONLY_NEW 3503
#define IDC_MOVE 3504
#define IDC_SHORT_NAMES 3505
#define IDC_SELF_EXTRACT 3506
#define IDC_ZIP_ONLY_NEW 3543
#define IDC_ZIP_MOVE 3544
#define IDC_GZIP_RATE 3557
#define IDC_GZIP 3558
#define IDC_LZH_STORED 3569
#define IDC_LZH_213 3570
#define IDC_LZH_26X 3571
#define IDC_LZH_26X_LATER 3572
#define IDC_RADIO1_FIRST 6010
#define IDC_RADIO1_SECOND 6011
