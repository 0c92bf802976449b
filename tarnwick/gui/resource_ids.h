/* Identifiers of tarnwick's resources and controls, shared by the resource scripts and the
   window code. Plain defines: the resource compiler reads this file too. */
#pragma once

#define IDI_TARNWICK 128

#define IDD_MAIN 102
#define IDD_TITLE 130
#define IDD_MESSAGE 151
#define IDD_ABOUT 152

/* Skin bitmaps. Buttons hold their faces stacked from the top: normal, hover, pressed,
   disabled; the toggle holds off, on, locked. */
#define IDB_BACKGROUND 133
#define IDB_CANCEL 134
#define IDB_ERROR_PICTURE 135
#define IDB_TOGGLE 136
#define IDB_CLEAR 137
#define IDB_DIALOG_OK 138
#define IDB_SUCCESS_PICTURE 139
#define IDB_TITLE_OK 145
#define IDB_POWER 146
#define IDB_DROPSPACE 150
#define IDB_ABOUT 156

/* Controls (IDOK and IDCANCEL are 1 and 2). */
#define IDC_CLEAR 1000
#define IDC_TITLE_EDIT 1001
#define IDC_COPYRIGHT_EDIT 1002
#define IDC_POWER 1015
#define IDC_PROTECT_TOGGLE 1023
#define IDC_RATE_TOGGLE 1024
#define IDC_MESSAGE_PICTURE 1025
#define IDC_MESSAGE_TEXT 1026
#define IDC_DROPSPACE 1027
#define IDC_ABOUT 1029

/* The about dialog's lines. */
#define IDC_ABOUT_PRODUCT 1002
#define IDC_ABOUT_PURPOSE 1003
#define IDC_ABOUT_NOTICE 1004
#define IDC_ABOUT_LICENCE 1005
#define IDC_ABOUT_LINK 1006

/* The title dialog's labels. */
#define IDC_TITLE_LABEL 1101
#define IDC_COPYRIGHT_LABEL 1102
#define IDC_PROTECT_LABEL 1103
#define IDC_RATE_LABEL 1104
