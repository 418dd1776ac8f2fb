// Identifiers of the game's own resources. Read by the resource compiler and
// by the Win32 shell, so it holds nothing but defines.
#pragma once

// Strings: the window title and the window class name.
#define IDS_APP_TITLE 103
#define IDC_WAXDROP 109  // also the menu and the accelerator table

// Icons: the class's large icon (also in the About box) and its small one.
#define IDI_WAXDROP 107
#define IDI_SMALL 108

// Dialogs: the About box, High Scores and New High Score.
#define IDD_ABOUTBOX 103
#define IDD_HIGH_SCORES 134
#define IDD_NEW_SCORE 135

// Dialog items the scores code reads and writes.
#define IDC_NAME_EDIT 1000
#define IDC_SCORE_LINE_1 1001
#define IDC_SCORE_LINE_2 1002
#define IDC_SCORE_LINE_3 1003
// The About box's icon control carries the number 2.
#define IDC_ABOUT_ICON 2

// Menu and accelerator commands.
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDM_HIGH_SCORES 32771

// Sprite images.
#define IDB_PADDLE 129
#define IDB_COMB 130
#define IDB_BEE_A 131
#define IDB_BALL 132
#define IDB_BEE_B 133
#define IDB_BULLET 136

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
