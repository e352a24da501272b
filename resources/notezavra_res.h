#pragma once
// Resource ids of notezavra. Numbers are fixed where other parts of the system rely on them.
#include "resources/feeds_res.h"

#include "resources/calendar_res.h"
#include "resources/tips_res.h"
#include "resources/pad_res.h"

// Icons
#define IDI_MAIN 128          // tray icon, program icon
#define IDI_NOTE_FILE 160     // portable note files, "note:" links
#define IDI_HELD 161          // tray icon while notes are held

// Menus
#define IDM_TRAY 128
#define IDM_NOTE 130
#define IDM_PAD 136
#define IDM_RECENT_NONE 33900  // the "(None)" placeholder of "&Recent Notes", outside 32896-33895

// Dialogs and their controls
#define IDD_REOPEN 174
#define IDC_REOPEN_DAYS 1101
#define IDC_REOPEN_DAYS_SPIN 1102
#define IDC_REOPEN_HOURS 1103
#define IDC_REOPEN_HOURS_SPIN 1104
#define IDC_REOPEN_MINUTES 1105
#define IDC_REOPEN_MINUTES_SPIN 1106

// Strings
#define IDS_DELETE_QUESTION 101   // "Are you sure you want to delete this note?"
#define IDS_CONFIRM 102           // "Confirm"
#define IDS_ORDINAL_1ST 107
#define IDS_ORDINAL_2ND 108
#define IDS_ORDINAL_3RD 109
#define IDS_ORDINAL_4TH 110
#define IDS_ORDINAL_LAST 111
#define IDS_NOTICE 115
#define IDS_SCHEDULED_TIME 132
#define IDS_SAMPLE_TEXT 154
#define IDS_MAIN_TITLE 200        // "Qel note ZaVRA"
#define IDS_APP_TITLE 201         // "Note Zavra"
#define IDS_UNSORTED 202          // "Unsorted"
#define IDS_NEW_NOTE_TEXT 203     // "<New Note>"
#define IDS_TRAY_BALLOON 204      // "Right-click this icon to open Note Zavra menu."
#define IDS_OLE_FAILED 205
#define IDS_ON_HOLD 206           // "%i On Hold"
#define IDS_QPASTE_TITLE 207      // "QZ[qPaste]"
#define IDS_QLAUNCH_TITLE 208     // "QZ[qLaunch]"
#define IDS_NOTE_FILES_FILTER 209 // "Note Files (*.zpn)|*.zpn||"
#define IDS_ALL_OF_INTEREST 210
#define IDS_ALL_CATEGORIES 211
#define IDS_NO_RECURRENCE 220
#define IDS_EVERY_N_DAYS 221
#define IDS_EVERYDAY 222
#define IDS_EVERY_N_WEEKS 223
#define IDS_EVERY 224
#define IDS_NTH_WEEKDAY_OF 225
#define IDS_DAY_N_OF 226
#define IDS_NTH_WEEKDAY_OF_MONTH_OF 227
#define IDS_MONTH_DAY_OF 228
#define IDS_EVERY_N_MONTHS 229
#define IDS_EVERY_MONTH 230
#define IDS_EVERY_N_YEARS 231
#define IDS_EVERY_YEAR 232

#include "resources/prefs_res.h"
#include "resources/dialogs_res.h"
#include "resources/trackers_res.h"
