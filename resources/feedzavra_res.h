#pragma once
// Resource ids of feedzavra.
#define IDS_HELPER_TITLE 101          // "Note Zavra Feed Subscriber"
#define IDS_HELPER_NOT_A_FEED 102     // "%1" is no feed address ...
