// The main window's side of the trackers: the tracker list, the stack's layout, and the list
// kept across runs.
#include "app/MainWnd_win.h"

namespace zavra {

CTrackWnd* CMainWnd::FindTracker(uint32_t) const { return nullptr; }
void CMainWnd::TrackNote(const NOTE_PAD&) {}
void CMainWnd::NotifyTrackers(WPARAM, const NOTE_PAD*, uint32_t) {}
void CMainWnd::TrackerClosed(CTrackWnd*) { changeMarks_ |= kMarkTrackers; }
void CMainWnd::RestoreTrackers() {}
void CMainWnd::SaveTrackers(bool) {}
void CMainWnd::LayoutTrackers(bool, bool) {}
// No trackers yet: the saved list stays as it was read.
std::vector<TrackerEntry> CMainWnd::TrackerEntries() const { return state_.trackers; }

}  // namespace zavra
