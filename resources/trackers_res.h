#pragma once
// Resource ids of the trackers and the tracker-area editor.
#define IDS_TRACKER_POSITION 179  // "Tracker Position"
