#pragma once
// The user's settings and the program's saved state in the settings key: read once at
// start-up with their defaults, written back in groups.
#include "framework/DpiScale.h"
#include "store/NoteRecord.h"
#include "store/Registry.h"
#include <cstdint>
#include <vector>

namespace zavra {

struct Settings {
  int32_t noteWidth = 124, noteHeight = 73;           // "NoteSize"
  int32_t notePosX = 0x7FFFFFFF, notePosY = 250;      // "NotePos2": centre of new notes
  uint32_t noteOpacity = 220;                         // "NoteOpacity"
  uint32_t noteMargin = 6;                            // "NoteMargin"
  uint32_t noteAlign = 1;                             // "NoteAlign": 0 normal, 1 centred
  bool noteSnap = true;                               // "NoteSnap"
  uint32_t noteGap = 3;                               // "NoteGap"
  uint32_t trackGap = 5;                              // "TrackGap"
  uint32_t preopen1 = 1800;                           // "NotePreopen1", seconds
  uint32_t preopen2 = 0;                              // "NotePreopen2", seconds
  bool alarmAnimation = true;                         // "NoteAlarmAni"
  RECT32 trackRect;                                   // "TrackRect"
  uint32_t trayDefault = 0;                           // "NiconDefault": 0 new note, 1 pad, 2 calendar
  uint32_t autoDeleteDays = 60;                       // "NoteAutoDel2"; 0 never
  bool clearType = true;                              // "ClearType"
  bool noteShadow = true;                             // "NoteShadow"
  bool noteOnTop = true;                              // "NoteOnTop"
  bool trackOnTop = true;                             // "TrackOnTop"
  bool hold = false;                                  // "Hold"
  bool holdFullScreen = false;                        // "HoldFs"
  uint32_t recentCount = 5;                           // "BookmarkAuto"
};

struct OpenNoteEntry {
  uint32_t id = 0;
  uint32_t exStyle = 0;  // bit 0x8: topmost
  bool operator==(const OpenNoteEntry&) const = default;
};
struct TrackerEntry {
  uint32_t id = 0;
  uint32_t alarm = 0;
  bool operator==(const TrackerEntry&) const = default;
};
struct REOPEN_ITEM {
  uint32_t id = 0;
  uint32_t reserved = 0;
  int64_t time = 0;
  bool operator==(const REOPEN_ITEM&) const = default;
};

// The saved lists. Which of them changed since the last write is kept in change marks.
struct SavedState {
  int64_t timeClosed = INT64_MAX;  // "TimeClosed" (consumed); INT64_MAX when missing
  std::vector<OpenNoteEntry> openNotes;  // "OpenNotes2"
  std::vector<TrackerEntry> trackers;    // "Tracklist"
  std::vector<uint32_t> held;            // "HeldNotes"
  std::vector<uint32_t> recent;          // "MRUN", oldest first
  std::vector<REOPEN_ITEM> reopens;      // "Reopens"
};

enum ChangeMark : uint32_t {
  kMarkReopens = 0x01,
  kMarkOpenNotes = 0x02,
  kMarkHeld = 0x04,
  kMarkRecent = 0x08,
  kMarkTrackers = 0x20,
};

// `workArea` gives the default tracker rectangle. A missing key leaves every default. Sizes and
// rectangles are screen pixels; where they are missing, their defaults are made for `dpi`.
// Reading consumes "TimeClosed".
void LoadSettings(IRegistryKey* key, const RECT32& workArea, Settings& settings, SavedState& state,
                  uint32_t dpi = kBaseDpi);
RECT32 DefaultTrackRect(const RECT32& workArea, uint32_t dpi = kBaseDpi);

// The write groups; a null key makes each a no-op.
void WriteExitGroup(IRegistryKey* key, const Settings& s, int64_t now);
void WriteNotePageGroup(IRegistryKey* key, const Settings& s);
void WriteSizeAndPositionGroup(IRegistryKey* key, const Settings& s);
void WriteMiscGroup(IRegistryKey* key, const Settings& s);
// Writes the lists named by `marks`; an empty list deletes its value.
void WriteStateLists(IRegistryKey* key, const SavedState& state, uint32_t marks);

}  // namespace zavra
