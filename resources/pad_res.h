#pragma once
// Resource ids of the pad. 136 is the frame's menu, accelerators, icon, toolbar picture and bar.
#define IDR_PAD 136
#define IDM_PAD_CONTEXT 1361   // the row menus: "pad" and "link"
#define IDI_PAD_LINK 153       // a row's note has a link
#define IDI_PAD_CALENDAR 158   // a row's note shows on the calendar

// The bar's controls
#define IDC_PAD_SEARCH 1081
#define IDC_PAD_CATEGORY 1094
#define IDC_PAD_SEARCH_LABEL 1095

// Commands
#define ID_PAD_NEW_NOTE 32773
#define ID_PAD_OPEN 32774
#define ID_PAD_LAUNCH_LINK 32775
#define ID_PAD_DUPLICATE 32776
#define ID_PAD_EDIT 32777
#define ID_PAD_DELETE 32778
#define ID_PAD_ROW_CALENDAR 32780
#define ID_PAD_OPEN_CALENDAR 32782
#define ID_PAD_EXIT 32794
#define ID_PAD_PREVIOUS_TERM 32796
#define ID_PAD_NEXT_TERM 32797
#define ID_PAD_DAY_VIEW 32798
#define ID_PAD_WEEK_VIEW 32799
#define ID_PAD_MONTH_VIEW 32800
#define ID_PAD_VIEW_ALL 32801
#define ID_PAD_TODAY 32802
#define ID_PAD_COPY_LINK 32848
#define ID_PAD_TRACK 32850
#define ID_PAD_SAVE_COPY 57611
#define ID_PAD_COPY 57634
#define ID_PAD_FIND 57636

// Strings
#define IDS_PAD_CAPTION 13600        // "%s (%s) - %s"
#define IDS_PAD_TITLE 13601          // "QZ[Pad]"
#define IDS_PAD_ALL 13602            // "All"
#define IDS_PAD_WEEK 13603           // "%s ~ %s"
#define IDS_PAD_ONE_NOTE 13604       // "%i note"
#define IDS_PAD_NOTES 13605          // "%i notes"
#define IDS_PAD_TIP_PREVIOUS 13606   // toolbar tips, in button order
#define IDS_PAD_TIP_NEXT 13607
#define IDS_PAD_TIP_DAY 13608
#define IDS_PAD_TIP_WEEK 13609
#define IDS_PAD_TIP_MONTH 13610
#define IDS_PAD_TIP_ALL 13611
#define IDS_PAD_TIP_TODAY 13612
