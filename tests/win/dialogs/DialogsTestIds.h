// Resource ids of the dialog-framework tests' templates, icon and strings.
#pragma once

#define IDD_CONTROLS 100
#define IDD_PANEL 101
#define IDD_HOST 102
#define IDD_PAGE_A 103
#define IDD_PAGE_B 104

#define IDI_BROWSE 200

#define IDS_DOUBLE_BLANK 300
#define IDS_TRAILING_BLANK 301

#define IDC_LIST_INDEX 1001
#define IDC_LIST_TEXT 1002
#define IDC_TABS 1003
#define IDC_WHEN 1004
#define IDC_COUNT 1005
#define IDC_COUNT_SPIN 1006
#define IDC_DONE 1007
#define IDC_LEVEL 1008
#define IDC_NAME 1010
#define IDC_OTHER 1011
#define IDC_PAGE_FIELD 1012
