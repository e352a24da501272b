#pragma once
// Resource ids of the note edit dialog, the Recurrence dialog and the skin chooser
// (resources/dialogs.rc). Dialog and control numbers are the ones the rest of the system knows.

// Dialogs
#define IDD_NOTE_EDIT 103
#define IDD_RECURRENCE 134
#define IDD_SKIN 175

// Shared by the note edit dialog and the Recurrence dialog
#define IDC_START_DATE 1046
#define IDC_END_DATE 1047

// Note edit dialog
#define IDC_NOTE_ICON 1094
#define IDC_ICON_RESET 1006
#define IDC_NOTE_CATEGORY 1095
#define IDC_CATEGORY_MANAGE 1005
#define IDC_NOTE_TEXT 1081
#define IDC_SHOW_ON_CALENDAR 1051
#define IDC_NOTE_LINK 1082
#define IDC_LINK_BROWSE 1004
#define IDC_SCHEDULE_GROUP 1019
#define IDC_DATE_LABEL 1021
#define IDC_DATE_TILDE 1023
#define IDC_RECUR_TEXT 1061
#define IDC_RECUR_SETTINGS 1060
#define IDC_TIME_FROM 1048
#define IDC_TIME_TO 1049
#define IDC_OPEN_AT_TIME 1053
#define IDC_LAUNCH_LINK 1012
#define IDC_PLAY_SOUND 1045
#define IDC_SOUND_LIST 1009
#define IDC_SCHEDULE_TOGGLE 1050

// Recurrence dialog
#define IDC_NO_END_DATE 1079
#define IDC_FAMILY_NONE 1032
#define IDC_FAMILY_DAILY 1033
#define IDC_FAMILY_WEEKLY 1034
#define IDC_FAMILY_MONTHLY 1035
#define IDC_FAMILY_YEARLY 1036
#define IDC_INTERVAL 1013
#define IDC_INTERVAL_SPIN 1015
#define IDC_EVERY_LABEL 1044
#define IDC_UNIT_LABEL 1031
#define IDC_MONTH_LIST 1025
#define IDC_WEEKDAY_FIRST 1066  // seven boxes, 1066-1072
#define IDC_WEEKDAY_LAST 1072
#define IDC_BY_DAY 1037
#define IDC_BY_WEEKDAY 1038
#define IDC_DAY 1077
#define IDC_DAY_SPIN 1078
#define IDC_ORDINAL_LIST 1022
#define IDC_WEEKDAY_LIST 1024

// Skin chooser
#define IDC_SKIN_LIST 1056

// Strings (4200-4299)
#define IDS_EDIT_NOTE_CAPTION 4200   // "Edit Note"
#define IDS_NO_OCCURRENCE 4201       // "No possible occurrence.\nCheck recurrence settings."
#define IDS_ERROR_CAPTION 4202       // "Error"
#define IDS_SOUND_INHERIT 4203       // "(Inherit)"
#define IDS_SOUND_BROWSE 4204        // "Browse..."
#define IDS_WAVE_FILTER 4205         // "Wave Files (*.wav)|*.wav||"
#define IDS_ALL_FILES_FILTER 4206    // "All Files|*.*||"
#define IDS_UNIT_DAYS 4207           // "day(s)"
#define IDS_UNIT_WEEKS 4208          // "week(s)"
#define IDS_UNIT_MONTHS 4209         // "month(s)"
#define IDS_UNIT_YEARS 4210          // "year(s),"
#define IDS_SKIN_INHERIT 4211        // "(Inherit)"
#define IDS_SKIN_NONE 4212           // "(None)"
