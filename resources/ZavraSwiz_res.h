#pragma once
// Resource ids of ZavraSwiz. The dialog and the first three strings keep their fixed numbers.

#define IDI_SWIZ 128

#define IDD_SWIZ 102
#define IDC_SWIZ_NAME 1000
#define IDC_SWIZ_LOCATION 1001
#define IDC_SWIZ_ACTION 1002
#define IDC_SWIZ_CATEGORY 1003
#define IDC_SWIZ_HOTKEY 1004

#define IDS_SWIZ_UNSORTED 137          // "Unsorted"
#define IDS_SWIZ_CREATED 138           // "\"%s\" successfully created."
#define IDS_SWIZ_FAILED 139            // "Creation failed."
#define IDS_SWIZ_OLE_FAILED 140        // "OLE Init Failed"
#define IDS_SWIZ_ACTION_FIRST 141      // the five action texts, in the order of the list
#define IDS_SWIZ_LOCATION_GROUP 146    // "Note Zavra Program Group"
#define IDS_SWIZ_LOCATION_DESKTOP 147  // "Desktop"
#define IDS_SWIZ_REPLACE 148           // a shortcut of that name exists
#define IDS_SWIZ_HOTKEY_SHORTCUT 149   // the hot key belongs to another shortcut
#define IDS_SWIZ_HOTKEY_TAKEN 150      // the hot key is registered by a running program
