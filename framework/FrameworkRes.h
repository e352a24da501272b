#pragma once
// String ids of the framework's own messages (framework/Framework.rc, included by every program).
#define IDS_FW_PARSE_INT 61700        // "Enter an integer."
#define IDS_FW_PARSE_INT_RANGE 61701  // "Enter an integer between %1 and %2."
