#pragma once
// Resource ids of the feed page and the feed manager (included by notezavra_res.h).

// The feed page and its controls
#define IDD_PROP_FEED 173
#define IDC_FEED_MODE_NONE 1801
#define IDC_FEED_MODE_ALL 1802
#define IDC_FEED_MODE_CONFIGURED 1803
#define IDC_FEED_CATEGORY_LABEL 1804
#define IDC_FEED_CATEGORY 1805
#define IDC_FEED_LIST 1806

// The context menu of a feed row ("feed") and its commands
#define IDM_FEED 1800
#define IDM_FEED_CATE_DEFAULT 32896
#define IDM_FEED_CATE_FIRST 32897   // one per category, in category order
#define IDM_FEED_CATE_LAST 33895    // at most 999 categories
#define IDM_FEED_ENABLE 33901
#define IDM_FEED_SI_FIRST 33902     // "Off" ... "1 week": seven in a row
#define IDM_FEED_SI_LAST 33908
#define IDM_FEED_UNSUBSCRIBE 33909

// Strings
#define IDS_FEED_ON 126             // "On"
#define IDS_FEED_DEFAULT 127        // "(Default)"
#define IDS_NEW_FEED 129            // "New Feed"
#define IDS_FEED_SI_FIRST 1811      // "15m" ... "1w": the "SI" column for choices 1 to 6
#define IDS_FEED_COL_NAME 1817
#define IDS_FEED_COL_NOTE 1818
#define IDS_FEED_COL_SI 1819
#define IDS_FEED_COL_CATEGORY 1820
#define IDS_FEED_UNSUBSCRIBE_QUESTION 1821
