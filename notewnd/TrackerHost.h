#pragma once
// What a tracker asks of the program besides what a note window asks (INoteWindowHost). The
// main window implements both.
#include "store/NoteRecord.h"

namespace zavra {

class CTrackWnd;

class ITrackerHost {
 public:
  // Popup notes are held back (the "Hold" option or a full-screen window in front).
  virtual bool HoldingPopups() const = 0;
  // The note's own window, opened by the user.
  virtual void OpenNote(const NOTE_PAD& note) = 0;
  // "Keep Tracker On Top" for every tracker.
  virtual void ToggleTrackersOnTop() = 0;
  // A tracker's alarm flag changed: the saved list is out of date.
  virtual void TrackersChanged() = 0;
  // A tracker's place in the stack may have changed: lay the stack out again, later.
  virtual void PostTrackerLayout() = 0;
  // From the tracker's destruction: the host frees the object once the message arrives.
  virtual void PostTrackerClosed(CTrackWnd* tracker) = 0;

 protected:
  ~ITrackerHost() = default;
};

}  // namespace zavra
