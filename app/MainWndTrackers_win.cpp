// The main window's side of the trackers: the tracker list, the stack's layout, and the list
// kept across runs.
#include "notewnd/TrackWnd_win.h"  // first: see there
#include "app/MainWnd_win.h"
#include "notewnd/NoteWnd_win.h"

#include <algorithm>

#include "app/Geometry.h"
#include "notewnd/TrackerLayout.h"

namespace zavra {

CTrackWnd* CMainWnd::FindTracker(uint32_t id) const {
  if (id == 0) return nullptr;
  for (CTrackWnd* t : trackers_)
    if (t->noteId() == id && !t->closing()) return t;
  return nullptr;
}

void CMainWnd::TrackNote(const NOTE_PAD& note) { AddTracker(note, false); }

bool CMainWnd::RingTrackedNoteWindow(uint32_t id) {
  if (!FindTracker(id)) return false;
  if (CNoteWnd* w = FindNoteWindow(id)) ::PostMessageW(*w, WM_NOTE_NOTIFY, kNotifyAlarmFired, 0);
  return true;
}

void CMainWnd::AddTracker(const NOTE_PAD& note, bool alarm) {
  if (CTrackWnd* existing = FindTracker(note.id)) {
    if (alarm) ::PostMessageW(*existing, WM_NOTE_NOTIFY, kNotifyAlarmFired, 0);
    return;
  }
  // A note that was never stored cannot be followed.
  if (note.id == 0) return;
  auto* tracker = new CTrackWnd(*this, *this);
  tracker->SetClock([this] { return Now(); });
  tracker->Load(note, alarm);
  trackers_.push_back(tracker);
  LayoutTrackers(true, false);
  if (!tracker->Create()) {
    trackers_.erase(std::remove(trackers_.begin(), trackers_.end(), tracker), trackers_.end());
    delete tracker;
    return;
  }
  changeMarks_ |= kMarkTrackers;
}

void CMainWnd::NotifyTrackers(WPARAM code, const NOTE_PAD* note, uint32_t id) {
  switch (code) {
    case kNotifyNoteChanged:
      if (CTrackWnd* t = note ? FindTracker(note->id) : nullptr)
        ::SendMessageW(*t, WM_NOTE_NOTIFY, code, reinterpret_cast<LPARAM>(note));
      break;
    case kNotifyNoteDeleted:
      // The tracker ends itself; its closing message takes it off the list later.
      if (CTrackWnd* t = FindTracker(id)) ::SendMessageW(*t, WM_NOTE_NOTIFY, code, static_cast<LPARAM>(id));
      break;
    case kNotifyAlarmFired:
      if (CTrackWnd* t = note ? FindTracker(note->id) : nullptr) ::PostMessageW(*t, WM_NOTE_NOTIFY, code, 0);
      break;
    case kNotifyCategoriesChanged: {
      const std::vector<CTrackWnd*> trackers = trackers_;
      for (CTrackWnd* t : trackers)
        if (!t->closing() && t->GetSafeHwnd()) ::SendMessageW(*t, WM_NOTE_NOTIFY, code, 0);
      LayoutTrackers(false, false);
      break;
    }
    case kNotifyDayChanged:
      for (CTrackWnd* t : trackers_)
        if (!t->closing() && t->GetSafeHwnd()) ::PostMessageW(*t, WM_NOTE_NOTIFY, code, 0);
      break;
    default:
      break;
  }
}

void CMainWnd::TrackerClosed(CTrackWnd* tracker) {
  // Only a tracker of ours whose window is gone: the pointer came through a message.
  const auto it = std::find(trackers_.begin(), trackers_.end(), tracker);
  if (it == trackers_.end() || !tracker->closing()) return;
  trackers_.erase(it);
  delete tracker;
  LayoutTrackers(false, false);
  changeMarks_ |= kMarkTrackers;
}

void CMainWnd::PostTrackerClosed(CTrackWnd* tracker) {
  ::PostMessageW(GetSafeHwnd(), WM_WINDOW_CLOSED, kClosedTracker, reinterpret_cast<LPARAM>(tracker));
}

void CMainWnd::PostTrackerLayout() {
  // Posted: the tracker asking may be one of those the layout walks.
  ::PostMessageW(GetSafeHwnd(), WM_NOTE_NOTIFY, kNotifyLayoutTrackers, 0);
}

void CMainWnd::OpenNote(const NOTE_PAD& note) { OpenNoteWindow(note, kOpenUser, -1); }

void CMainWnd::ToggleTrackersOnTop() {
  settings_.trackOnTop = !settings_.trackOnTop;
  for (CTrackWnd* t : trackers_)
    if (!t->closing()) t->ApplyZOrder();
}

void CMainWnd::RestoreTrackers() {
  const std::vector<TrackerEntry> saved = state_.trackers;
  for (const TrackerEntry& e : saved) {
    NOTE_PAD note;
    if (store_->LoadNote(e.id, note) == kFileOk) AddTracker(note, e.alarm != 0);
  }
}

void CMainWnd::SaveTrackers(bool destroy) {
  // The list itself is written with the other lists; at exit the windows go.
  if (!destroy) return;
  const std::vector<CTrackWnd*> trackers = std::exchange(trackers_, {});
  for (CTrackWnd* t : trackers) delete t;
}

std::vector<TrackerEntry> CMainWnd::TrackerEntries() const {
  std::vector<TrackerEntry> entries;
  for (const CTrackWnd* t : trackers_)
    if (!t->closing()) entries.push_back({t->noteId(), t->alarm() ? 1u : 0u});
  return entries;
}

void CMainWnd::LayoutTrackers(bool sort, bool refresh) {
  std::vector<CTrackWnd*> live;
  for (CTrackWnd* t : trackers_)
    if (!t->closing()) live.push_back(t);
  if (sort) {
    std::vector<TrackerKey> keys;
    for (const CTrackWnd* t : live) keys.push_back({t->occurrence(), t->note().created});
    std::vector<CTrackWnd*> order;
    for (size_t i : SortTrackers(keys)) order.push_back(live[i]);
    live = order;
    // Closing trackers stay listed, at the end, until their message arrives.
    for (CTrackWnd* t : trackers_)
      if (t->closing()) order.push_back(t);
    trackers_ = std::move(order);
  }
  if (refresh)
    for (CTrackWnd* t : live) t->Refresh();
  const RECT32 area = TrackAreaOnScreen(settings_.trackRect, Monitors());
  std::vector<int32_t> heights;
  for (const CTrackWnd* t : live) heights.push_back(t->height());
  const std::vector<Point32> places = StackTrackers(area, heights, TrackGapPixels(settings_.trackGap));
  for (size_t i = 0; i < live.size(); ++i) live[i]->MoveTo(places[i].x, places[i].y);
}

}  // namespace zavra
