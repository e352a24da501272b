#pragma once
// Resource ids of the calendar window.

#define IDI_CALENDAR 140
#define IDR_CALENDAR 139          // menu ("sche" and "cal") and accelerator table
#define IDM_CALENDAR_ENTRY 0      // positions of the two submenus
#define IDM_CALENDAR_DAY 1

// Commands of the calendar's menus and keys
#define ID_CAL_OPEN_PAD 32772
#define ID_CAL_OPEN 32774
#define ID_CAL_LAUNCH_LINK 32775
#define ID_CAL_DUPLICATE 32776
#define ID_CAL_EDIT 32777
#define ID_CAL_DELETE 32778
#define ID_CAL_NEW_NOTE 32784
#define ID_CAL_EXCLUDE 32788
#define ID_CAL_EXIT 32794
#define ID_CAL_PREVIOUS 32796
#define ID_CAL_NEXT 32797
#define ID_CAL_TODAY 32802
#define ID_CAL_SCROLL_UP 32803
#define ID_CAL_SCROLL_DOWN 32804
#define ID_CAL_SAVE_COPY_AS 57611
#define ID_CAL_COPY 57634
// The day menu's entries: 32896 + 4k + (0 open, 1 edit, 2 delete, 3 exclude) for the k-th.
#define ID_CAL_DAY_ENTRY_FIRST 32896
#define ID_CAL_DAY_ENTRY_LAST (32896 + 4 * 20 - 1)

// Strings
#define IDS_CAL_NAME 4300           // "QZ[Calendar]"
#define IDS_CAL_CAPTION 4301        // "%s - %s"
#define IDS_CAL_TODAY 4302          // "Today"
#define IDS_CAL_WITH_TIME 4303      // "%s (%s)"
#define IDS_CAL_WITH_MARK 4304      // "%s (%s)"
#define IDS_CAL_END_MARK 4305       // "/"
#define IDS_CAL_MIDDLE_MARK 4306    // "~"
#define IDS_CAL_EXCLUDED 4307       // "- "
#define IDS_CAL_DAY_OPEN 4308       // "&Open"
#define IDS_CAL_DAY_EDIT 4309       // "&Edit..."
#define IDS_CAL_DAY_DELETE 4310     // "&Delete"
#define IDS_CAL_DAY_EXCLUDE 4311    // "E&xclude"
#define IDS_CAL_MORE 4312           // "+"
