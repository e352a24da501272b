// The calendar window under Wine: its day menu (looked at and driven from inside its menu
// loop), keys, showing a note, notifications, and the rectangle it keeps.
#include "CalendarTestSupport.h"

#include "resources/calendar_res.h"

namespace zavra {
namespace {

using test::CalendarFixture;

class CalendarWindow : public CalendarFixture {
 protected:
  void SetUp() override { now = DayStart(2026, 3, 15) + 12 * 3600; }
  void Click(UINT message, POINT at) { ::SendMessageW(*window, message, 0, MAKELPARAM(at.x, at.y)); }
  void Key(UINT key) { ::SendMessageW(*window, WM_KEYDOWN, key, 1); }
  POINT Middle(int day, uint32_t id) {
    const auto r = window->EntryRect(day, id);
    EXPECT_TRUE(r) << "no entry of " << id << " on day " << day;
    return r ? POINT{(r->left + r->right) / 2, (r->top + r->bottom) / 2} : POINT{};
  }
};

// What the test's timer saw of the menu, and what it did while the menu was up.
struct MenuVisit {
  CScheduleWnd* window = nullptr;
  std::function<void()> during;
  UINT choose = 0;
  std::vector<std::wstring> labels;
  std::vector<bool> popups;
  UINT defaultId = 0;
};
MenuVisit g_visit;

void CALLBACK VisitMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  HMENU menu = g_visit.window ? g_visit.window->trackedMenu() : nullptr;
  if (menu) {
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
      wchar_t text[128] = {};
      ::GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
      g_visit.labels.push_back(text);
      g_visit.popups.push_back(::GetSubMenu(menu, i) != nullptr);
    }
    g_visit.defaultId = ::GetMenuDefaultItem(menu, FALSE, 0);
    if (g_visit.during) g_visit.during();
  }
  ::EndMenu();
  // Picked through the window, as a click on the item would.
  if (menu && g_visit.choose) ::PostMessageW(*g_visit.window, WM_COMMAND, g_visit.choose, 0);
}

void OpenMenuAt(CScheduleWnd* window, POINT at, UINT choose, std::function<void()> during = nullptr) {
  g_visit = MenuVisit{window, std::move(during), choose};
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 200, VisitMenu);
  ::SendMessageW(*window, WM_RBUTTONUP, 0, MAKELPARAM(at.x, at.y));
  ::KillTimer(nullptr, timer);
  test::Pump(100);
}

TEST_F(CalendarWindow, ExcludingADateFromTheDayMenuSavesTheNoteAndFadesItsEntry) {
  const uint32_t meeting = AddWeekly(u"Team meeting", 2026, 3, 3, 1, 10);  // Tuesdays at 10:00
  ASSERT_TRUE(Open());
  const RECT entry = *window->EntryRect(17, meeting);
  const POINT probe{entry.right - 5, (entry.top + entry.bottom) / 2};
  const COLORREF before = PixelAt(probe.x, probe.y);

  Click(WM_LBUTTONDOWN, window->DayCellOrigin(17));
  ASSERT_EQ(window->selectedDay(), 17);
  ASSERT_EQ(window->selectedSlot(), 0) << "the day, not the entry";
  // While the menu is up a note arrives that would now be the day's first row; the first row's
  // command still means the meeting it named when the menu opened.
  uint32_t early = 0;
  OpenMenuAt(window, window->DayCellOrigin(17), ID_CAL_DAY_ENTRY_FIRST + 3,
             [&] { early = AddEvent(u"Early bird", 2026, 3, 17, 17, 7); });
  ASSERT_FALSE(g_visit.labels.empty()) << "no menu";
  EXPECT_EQ(g_visit.labels[0].rfind(L"Team meeting (", 0), 0u) << "label: title and start time";
  EXPECT_TRUE(g_visit.popups[0]);
  EXPECT_TRUE(g_visit.labels[1].empty()) << "a separator after the entries";
  EXPECT_EQ(g_visit.defaultId, static_cast<UINT>(ID_CAL_NEW_NOTE));

  NOTE_PAD stored;
  ASSERT_EQ(store.LoadNote(meeting, stored), kFileOk);
  EXPECT_EQ(stored.excludes, std::vector<uint32_t>{DateKey(2026, 3, 17)}) << "saved to the note file";
  ASSERT_EQ(store.LoadNote(early, stored), kFileOk);
  EXPECT_TRUE(stored.excludes.empty()) << "the command did not slide onto the new first row";
  EXPECT_EQ(window->selectedNoteId(), meeting);
  EXPECT_TRUE(window->selectedExcluded());

  // Drawn at half the opacity: closer to the white background than before.
  const COLORREF after = PixelAt(probe.x, probe.y);
  const auto distance = [](COLORREF c) { return 3 * 255 - ((c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF)); };
  EXPECT_GT(distance(after), 0);
  EXPECT_LT(distance(after), distance(before) * 7 / 10) << std::hex << before << " -> " << after;

  // The entry's own menu now shows the exclusion checked; choosing it again restores the date.
  Click(WM_LBUTTONDOWN, Middle(17, meeting));
  ASSERT_EQ(window->selectedNoteId(), meeting);
  OpenMenuAt(window, Middle(17, meeting), ID_CAL_EXCLUDE);
  EXPECT_EQ(g_visit.defaultId, static_cast<UINT>(ID_CAL_OPEN));
  ASSERT_EQ(store.LoadNote(meeting, stored), kFileOk);
  EXPECT_TRUE(stored.excludes.empty());
}

TEST_F(CalendarWindow, KeysMoveTheSelectionAndReachTheCommands) {
  const uint32_t party = AddEvent(u"Party", 2026, 3, 20, 21);
  ASSERT_TRUE(Open());
  Click(WM_LBUTTONDOWN, window->DayCellOrigin(1));
  Key(VK_LEFT);
  EXPECT_EQ(window->selectedDay(), 31) << "left of the 1st: the month's last day";
  Click(WM_LBUTTONDOWN, Middle(21, party));
  ASSERT_EQ(window->selectedNoteId(), party);
  Key(VK_RETURN);
  Key(VK_SPACE);
  EXPECT_TRUE(Called("open:" + std::to_string(party)));
  EXPECT_TRUE(Called("edit:" + std::to_string(party)));
  Key(VK_DELETE);
  EXPECT_TRUE(Called("delete:" + std::to_string(party)));
  EXPECT_FALSE(window->layout().FindEntry(party)) << "the deleted note left the month";
  EXPECT_EQ(window->selectedNoteId(), 0u);
}

TEST_F(CalendarWindow, GlyphButtonsTurnTheMonthAndATipShowsTheNoteUnderThePointer) {
  const uint32_t party = AddEvent(u"Party at Kim's", 2026, 3, 20, 21);
  ASSERT_TRUE(Open());
  HWND previous = ::GetDlgItem(*window, ID_CAL_PREVIOUS);
  HWND today = ::GetDlgItem(*window, ID_CAL_TODAY);
  ASSERT_TRUE(previous && today && ::GetDlgItem(*window, ID_CAL_NEXT));
  ::SendMessageW(previous, BM_CLICK, 0, 0);
  EXPECT_EQ(window->month().month, 2);
  EXPECT_EQ(::GetFocus(), window->GetSafeHwnd()) << "the keys stay with the calendar";
  ::SendMessageW(today, BM_CLICK, 0, 0);
  EXPECT_EQ(window->month().month, 3);
  EXPECT_EQ(window->selectedDay(), 15);

  const POINT on = Middle(20, party);
  ::SendMessageW(*window, WM_MOUSEHOVER, 0, MAKELPARAM(on.x, on.y));
  ASSERT_TRUE(window->tipWindow()) << "no tip over the entry";
  EXPECT_EQ(window->tip().rows().front(), L"Party at Kim's");
  RECT tip{};
  ::GetWindowRect(window->tipWindow(), &tip);
  POINT screen = on;
  ::ClientToScreen(*window, &screen);
  EXPECT_EQ(tip.top, screen.y + 19);
  ::SendMessageW(*window, WM_MOUSEMOVE, 0, MAKELPARAM(on.x + 3, on.y));
  EXPECT_FALSE(window->tipWindow()) << "a move closes it";
  ::SendMessageW(*window, WM_MOUSEHOVER, 0, MAKELPARAM(on.x, 20));
  EXPECT_FALSE(window->tipWindow()) << "no tip over the title";
}

TEST_F(CalendarWindow, ShowsANoteAtItsOccurrenceAndKeepsItSelectedThroughChanges) {
  const uint32_t weekly = AddWeekly(u"Yoga", 2026, 1, 6, 2, 18);  // every other Tuesday from 6 January
  ASSERT_TRUE(Open());
  NOTE_PAD note;
  ASSERT_EQ(store.LoadNote(weekly, note), kFileOk);
  window->ShowInCalendar(&note, DayStart(2026, 5, 10));
  EXPECT_EQ(window->month().month, 5);
  EXPECT_EQ(window->selectedDay(), 12) << "the first occurrence from the 10th on";
  EXPECT_EQ(window->selectedNoteId(), weekly);

  note.text = u"Yoga, room 2";
  ASSERT_TRUE(store.SaveNote(note));
  EXPECT_EQ(window->selectedNoteId(), weekly) << "re-established after the layout";
  EXPECT_EQ(window->layout().entries()[*window->layout().FindEntry(weekly)].title, u"Yoga, room 2");

  window->ShowInCalendar(nullptr, 0);
  EXPECT_EQ(window->month().month, 3) << "no time: this month";
}

TEST_F(CalendarWindow, KeepsItsRectangleFromBeforeItWasMinimised) {
  ASSERT_TRUE(Open());
  ::SetWindowPos(*window, nullptr, 40, 50, 640, 520, SWP_NOZORDER | SWP_NOACTIVATE);
  ::ShowWindow(*window, SW_MINIMIZE);
  test::Pump(50);
  // Whatever size the client has now, clicks and paints find nothing to do.
  Click(WM_LBUTTONDOWN, POINT{10, 70});
  ::UpdateWindow(*window);
  Close();
  EXPECT_TRUE(Called("gone:0"));
  const auto saved = registry.OpenSettingsKey()->GetBinary(kCalRectValue, 16);
  ASSERT_TRUE(saved && saved->size() == 16);
  const auto at = [&](size_t i) { return static_cast<int32_t>((*saved)[i] | (*saved)[i + 1] << 8); };
  EXPECT_EQ(at(0), 40);
  EXPECT_EQ(at(4), 50);
  EXPECT_EQ(at(8), 680);
  EXPECT_EQ(at(12), 570);
}

}  // namespace
}  // namespace zavra
