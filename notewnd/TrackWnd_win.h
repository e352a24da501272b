#pragma once
// CTrackWnd: a tracker, the compact strip that keeps one note in view in the stack at the side
// of the screen: the note's icon and first line under its schedule header, drawn as text
// floating on the desktop. It counts down to the note's occurrence and shakes when its alarm
// is on until the user touches it. The main window creates, lists and stacks trackers.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// The skin headers first: see NoteWnd_win.h.
#include "skin/SkinRenderer_win.h"
// (keep the line above first)
#include "framework/Handles.h"
#include "framework/Window.h"
#include "notewnd/NoteWindowHost.h"
#include "notewnd/TrackerHost.h"
#include "notewnd/TrackerSchedule.h"
#include "store/NoteRecord.h"

namespace zavra {

// The stack's area on the screen now: "TrackRect" made usable (see TrackArea) on `monitors`,
// the system's displays when empty.
RECT32 TrackAreaOnScreen(const RECT32& stored, std::vector<MonitorArea> monitors = {});

class CTrackWnd : public CWnd {
 public:
  static constexpr const wchar_t* kClassName = L"QZTracker";
  using Clock = std::function<int64_t()>;  // seconds since 1970-01-01 UTC

  CTrackWnd(INoteWindowHost& host, ITrackerHost& trackers);
  ~CTrackWnd() override;

  void SetClock(Clock clock) { clock_ = std::move(clock); }

  // Takes a record (its category's look is applied here) and the alarm flag; measures the
  // tracker. The window need not exist yet.
  void Load(const NOTE_PAD& note, bool alarm);
  // Creates the window at its laid-out place and shows it without activating it.
  bool Create();
  // Puts the top-left corner at (x, y) without sizing or activating.
  void MoveTo(int32_t x, int32_t y);
  // Measures again (the area's width or the fonts may have changed) and draws.
  void Refresh();
  void SetAlarm(bool on);
  // Topmost with "Keep Tracker On Top", or while its alarm is on and popups are not held.
  void ApplyZOrder();

  uint32_t noteId() const { return note_.id; }
  const NOTE_PAD& note() const { return note_; }
  bool alarm() const { return alarm_; }
  // Its window is gone; the owner frees the object when the closing message arrives.
  bool closing() const { return closing_; }
  int64_t occurrence() const { return schedule_.occurrence(); }
  const TrackerSchedule& schedule() const { return schedule_; }
  const std::u16string& firstLine() const { return firstLine_; }
  // The laid-out rectangle (the window stands a pixel aside of it while shaking).
  RECT32 rect() const { return rect_; }
  int32_t height() const { return rect_.bottom - rect_.top; }
  bool topmost() const;
  // The interval the schedule timer was last set to (ms), or -1 when it is stopped.
  int64_t scheduleInterval() const { return scheduleInterval_; }
  // The context menu while it is tracked (tests look at it from inside the menu loop).
  HMENU trackedMenu() const { return trackedMenu_; }
  // The image last handed to the system: premultiplied 0xAARRGGBB rows, top-down.
  const SkinCanvas& canvas() const { return canvas_; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;

 private:
  void LoadFonts();
  // Width from the area, height from the text; asks for a new layout when the height or the
  // shown occurrence changed.
  void Measure();
  void EvaluateSchedule(bool forced);
  void ScheduleTimerStep();
  void SetScheduleTimer(const TimerRequest& request);
  void StopScheduleTimer();
  bool Paint();
  void Render();
  void OnNoteNotify(WPARAM code, LPARAM lp);
  void ShowContextMenu(POINT screen);
  bool animate() const;

  INoteWindowHost& host_;
  ITrackerHost& trackers_;
  Clock clock_;
  NOTE_PAD note_;
  std::u16string categoryName_;
  std::u16string firstLine_;
  FontHandle headerFont_;
  FontHandle textFont_;
  int headerLine_ = 16;
  int textLine_ = 16;
  int textHeight_ = 16;  // at most two lines of the first line
  IconHandle noteIcon_;
  TrackerSchedule schedule_;
  bool alarm_ = false;
  RECT32 rect_;
  int shake_ = 0;
  int64_t laidOutOccurrence_ = 0;
  int64_t scheduleInterval_ = -1;
  SkinCanvas canvas_;
  HMENU trackedMenu_ = nullptr;
  bool closing_ = false;
  bool inDestructor_ = false;  // the owner is deleting us: no closing message
  // Cleared when the window goes, so a handler can tell after a modal loop whether to go on.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(false);
};

}  // namespace zavra
