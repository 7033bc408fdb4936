// Resource and control numbers of Pelmit's dialogs. The numbers are part of
// the dialogs' identity (tests and accessibility tools find controls by them).
#pragma once

// Dialog templates.
#define IDD_JOIN 137
#define IDD_SHORTCUT 2002
#define IDD_SPLIT_PROGRESS 2005
#define IDD_SPLIT 2068
#define IDD_JOIN_NAME 2076
#define IDD_JOIN_PROGRESS 2105

// Icons and the progress animation.
#define IDI_PELMIT 128
#define IDI_JOIN 203
#define IDI_SPLIT 204
#define IDI_BROWSE 4003
#define IDR_PROGRESS_AVI 301

// Strings.
#define IDS_COLUMN_NAME 1
#define IDS_COLUMN_SIZE 2
#define IDS_COLUMN_DATE 3
#define IDS_SPLIT_FAILED 4
#define IDS_CANT_JOIN_FORMAT 5

// Split dialog.
#define IDC_SPLIT_PREVIEW 3001
#define IDC_SPLIT_DEST 3004
#define IDC_SPLIT_BROWSE 3013
#define IDC_SPLIT_SPIN 3015
#define IDC_SPLIT_OTHERS 3021
#define IDC_SPLIT_640 3253
#define IDC_SPLIT_720 3254
#define IDC_SPLIT_125 3255
#define IDC_SPLIT_144 3256
#define IDC_SPLIT_SIZE 3257
#define IDC_SPLIT_CABINET 3258
#define IDC_SPLIT_SOURCE 3259

// Progress dialogs (split and join alike).
#define IDC_PROGRESS_TEXT 3001
#define IDC_PROGRESS_BAR 3007
#define IDC_PROGRESS_ANIMATION 3010

// Join dialog.
#define IDC_JOIN_LIST 3002
#define IDC_JOIN_OUTPUT 3004
#define IDC_JOIN_BROWSE 3005
#define IDC_JOIN_NO_EOF 3009
#define IDC_JOIN_ADD 1045
#define IDC_JOIN_DELETE 1046
#define IDC_JOIN_UP 1066
#define IDC_JOIN_DOWN 1067
#define IDC_JOIN_NEXT 1068

// Next-file dialog of the join.
#define IDC_NAME_FIELD 3004
#define IDC_NAME_PROMPT 3005
#define IDC_NAME_BROWSE 3015

// Shortcut dialog.
#define IDC_SHORTCUT_FILE 1000
#define IDC_SHORTCUT_DESKTOP 1003
#define IDC_SHORTCUT_TITLE 1005
#define IDC_SHORTCUT_NAME 1011
#define IDC_SHORTCUT_WORKDIR 1020
#define IDC_SHORTCUT_STARTMENU 1115
#define IDC_SHORTCUT_LOCATION 1116
#define IDC_SHORTCUT_ICON 1117
