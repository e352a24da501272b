// The main window's side of the calendar: opening and raising it, telling it of changes, and
// its state at exit.
#include "app/MainWnd_win.h"

namespace zavra {

void CMainWnd::OpenCalendarWith(const NOTE_PAD*, int64_t) {}
void CMainWnd::OpenCalendar() { OpenCalendarWith(nullptr, 0); }
void CMainWnd::OpenCalendarAt(int64_t time) { OpenCalendarWith(nullptr, time); }
void CMainWnd::NotifyCalendar(WPARAM, const NOTE_PAD*, uint32_t) {}
void CMainWnd::CalendarClosed() { calendar_ = nullptr; }

// The pad and the calendar write their own state as they go.
void CMainWnd::SavePadAndCalendar(bool) {}

}  // namespace zavra
