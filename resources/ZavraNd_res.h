#pragma once
// Resource ids of ZavraNd, the skin designer.

// Icons and menus
#define IDR_MAINFRAME 128
#define IDR_DESIGNER_MENU 129
#define IDI_SAMPLE_NOTE 134  // what Note Icon layers show in the preview
#define IDI_SAMPLE_LINK 135  // what Link Icon layers show in the preview

// Dialogs
#define IDD_ABOUTBOX 100
#define IDD_DESIGNER 102
#define IDD_LAYER_PAPER 103
#define IDD_LAYER_ICON 105
#define IDD_LAYER_TEXT 106
#define IDD_LAYER_IMAGE 107
#define IDD_SAVE_AS 108
#define IDD_SKIN_MANAGER 109
#define IDD_LAYER_BORDER 110

// Menu commands
#define ID_FILE_NEW 0xE100
#define ID_FILE_OPEN 0xE101
#define ID_FILE_SAVE 0xE103
#define ID_FILE_SAVE_AS 0xE104
#define ID_APP_ABOUT 0xE140
#define ID_APP_EXIT 0xE141
#define ID_FILE_SKIN_MANAGER 32771
#define ID_FILE_IMPORT 32772
#define ID_FILE_EXPORT 32773

// Main dialog
#define IDC_LAYERS 1000
#define IDC_ADD 1001
#define IDC_REMOVE 1002
#define IDC_UP 1003
#define IDC_DOWN 1004
#define IDC_PREVIEW 1005
#define IDC_VIS_MODE 1006
#define IDC_VIS_ACTIVE 1007
#define IDC_VIS_POPUP 1008
#define IDC_VIS_ALARM 1009
#define IDC_PAGE_AREA 1010

// Layer pages
#define IDC_SIZE_FREE 1100
#define IDC_SIZE_FIXED 1101
#define IDC_WIDTH 1102
#define IDC_WIDTH_SPIN 1103
#define IDC_HEIGHT 1104
#define IDC_HEIGHT_SPIN 1105
#define IDC_COMMENT 1106
#define IDC_POSITION 1110
#define IDC_OFFSET_X 1111
#define IDC_OFFSET_X_SPIN 1112
#define IDC_OFFSET_Y 1113
#define IDC_OFFSET_Y_SPIN 1114
#define IDC_MARGIN_LEFT 1120
#define IDC_MARGIN_LEFT_SPIN 1121
#define IDC_MARGIN_TOP 1122
#define IDC_MARGIN_TOP_SPIN 1123
#define IDC_MARGIN_RIGHT 1124
#define IDC_MARGIN_RIGHT_SPIN 1125
#define IDC_MARGIN_BOTTOM 1126
#define IDC_MARGIN_BOTTOM_SPIN 1127
#define IDC_IMAGE_NAME 1130
#define IDC_IMAGE_BROWSE 1131
#define IDC_ADJUST_PIXELS 1132
#define IDC_ADJUST_PERCENT 1133
#define IDC_ADJUST_X 1134
#define IDC_ADJUST_X_VALUE 1135
#define IDC_ADJUST_X_SPIN 1136
#define IDC_ADJUST_Y 1137
#define IDC_ADJUST_Y_VALUE 1138
#define IDC_ADJUST_Y_SPIN 1139
#define IDC_DISPLAY_ORIGINAL 1140
#define IDC_DISPLAY_CANVAS 1141
#define IDC_DISPLAY_MAR 1142
#define IDC_DISPLAY_TILE 1143
#define IDC_ANIM_MODE 1144
#define IDC_ANIM_ACTIVE 1145
#define IDC_ANIM_POPUP 1146
#define IDC_ANIM_ALARM 1147

// Save As, skin manager, About
#define IDC_TITLE 1200
#define IDC_OVERWRITE 1201
#define IDC_SKINS 1210
#define IDC_DELETE 1211
#define IDC_ABOUT_VERSION 1220

// Strings
#define IDS_IMAGE_FILTER 102     // "Image Files (*.bmp;...)|...|All Files|*.*||"
#define IDS_APP_NAME 104         // "Note Designer": caption of every message box
#define IDS_OPEN_FAILED 106      // "Open failed."
#define IDS_NOT_ALLOWED 107      // "The following chracters are not allowed:" ...
#define IDS_DELETE_SKIN 108      // "Delete the selected skin?"
#define IDS_SKIN_FILTER 109      // "Skin Files (*.zps)|*.zps||"
#define IDS_EXPORT_FAILED 110    // "Export failed."
#define IDS_IMPORT_FAILED 111    // "Import failed."
#define IDS_TITLE_EXISTS 112     // "Title already exists."
#define IDS_UNTITLED 113         // "Untitled"
#define IDS_CAPTION 114          // "%s - %s"
#define IDS_SAVE_FAILED 115      // "Save failed."
#define IDS_TITLE_INVALID 116
#define IDS_PICTURE_REFUSED 117
#define IDS_PREVIEW 118          // "Preview"
#define IDS_COLUMN_TITLE 119     // "Title"
#define IDS_KIND_PAPER 120
#define IDS_KIND_BORDER 121
#define IDS_KIND_NOTE_ICON 122
#define IDS_KIND_LINK_ICON 123
#define IDS_KIND_IMAGE 124       // "(Image)"
#define IDS_KIND_TEXT 125
#define IDS_ANCHOR_FIRST 130     // "Center" ... "Top Left": 130 to 138
#define IDS_SHOW_UNLESS 140
#define IDS_HIDE_UNLESS 141
#define IDS_ENABLE_UNLESS 142
#define IDS_DISABLE_UNLESS 143
#define IDS_VERSION 144          // "Version %1"
