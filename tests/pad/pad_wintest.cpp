// The pad window of a main window in this process: opening at a calendar day, the search and
// its caption count, the selection when a note is deleted from its own window, keys, and a
// screenshot of a week of notes. (Its place kept across closing: tests/e2e.)
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "WinTestUtil.h"
#include "app/MainWindowFixture.h"
#include "notewnd/NoteWnd_win.h"
#include "pad/PadFrame_win.h"
#include "resources/pad_res.h"

namespace zavra {
namespace {

std::wstring Caption(HWND hwnd) {
  wchar_t text[256] = {};
  ::GetWindowTextW(hwnd, text, 256);
  return text;
}

// Answers the next message box of this thread with `button` from inside its modal loop.
UINT pendingAnswer = 0;
void CALLBACK AnswerTimer(HWND, UINT, UINT_PTR id, DWORD) {
  HWND box = nullptr;
  while ((box = ::FindWindowExW(nullptr, box, L"#32770", nullptr))) {
    if (::GetWindowThreadProcessId(box, nullptr) != ::GetCurrentThreadId() || !::IsWindowVisible(box)) continue;
    ::KillTimer(nullptr, id);
    ::PostMessageW(box, WM_COMMAND, pendingAnswer, 0);
    return;
  }
}
void AnswerNextBox(UINT button) {
  pendingAnswer = button;
  ::SetTimer(nullptr, 0, 200, AnswerTimer);
}

class PadWindow : public test::MainWindowFixture {
 protected:
  // Local wall-clock time on the date `days` after 2026-05-13 (a Wednesday).
  static int64_t At(int days, int hh, int mm = 0) {
    return MachineLocalTime().TimeOn(DayNumber(2026, 5, 13) + days, hh * 3600 + mm * 60);
  }
  uint32_t Made(const char16_t* text, uint16_t category, int64_t created) {
    now_ = created;
    return AddNote(text, category);
  }
  NOTE_PAD Load(uint32_t id) {
    NOTE_PAD n;
    store_->LoadNote(id, n);
    return n;
  }
  CPadFrame& OpenPad(int64_t time = 0, const NOTE_PAD* note = nullptr, int argument = kPadKeepFilter) {
    main_->OpenPadAt(time, note, argument);
    EXPECT_TRUE(main_->pad() && main_->pad()->GetSafeHwnd());
    return *main_->pad();
  }
  std::u16string SelectedText(CPadFrame& pad) {
    const PadEntry* e = pad.model().SelectedEntry();
    return e ? e->Title() : u"(none)";
  }
};

TEST_F(PadWindow, OpensAtACalendarDayWithTheNoteSelected) {
  AddCategory(10001, u"Private", 0, kCateAutoDelete | kCateNotOfInterest | 2);  // Month view, not of interest
  Made(u"earlier", 1, At(0, 8));
  const NOTE_PAD note = Load(Made(u"diary", 10001, At(0, 9)));
  now_ = At(0, 12);
  Start();
  CPadFrame& pad = OpenPad(At(0, 0), &note, kPadFromCalendar);
  EXPECT_EQ(pad.model().filter(), kFilterAllCategories) << "the note's category is not of interest";
  EXPECT_EQ(pad.model().term().kind, PadTermKind::kDay);
  EXPECT_EQ(SelectedText(pad), u"diary");
  EXPECT_EQ(::SendMessageW(pad.view(), LB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(pad.bar().ChosenFilter(), kFilterAllCategories) << "the category list shows the filter";
  EXPECT_NE(Caption(pad).find(L"(2 notes) - QZ[Pad]"), std::wstring::npos) << Caption(pad);
  EXPECT_TRUE(::IsWindowVisible(pad.nowLabel())) << "today's term shows the Now label";

  // The tray's plain "Open Pad" raises it as it was; a category argument filters it.
  main_->OpenPadAt(0, nullptr, kPadKeepFilter);
  EXPECT_EQ(SelectedText(pad), u"diary");
  main_->OpenPadFromCommand(10001);
  EXPECT_EQ(pad.model().filter(), 10001);
  EXPECT_EQ(pad.model().term().kind, PadTermKind::kMonth) << "the category's default view";

  // The category goes: the list loses its row and the pad its filter.
  std::vector<NOTE_CATE> rest{main_->store().LoadCategory(1)};
  ASSERT_TRUE(main_->store().SaveAllCategories(rest));
  ASSERT_TRUE(test::PumpUntil([&] { return pad.model().filter() == kFilterAllOfInterest; }, 3000));
  EXPECT_EQ(pad.bar().ChosenFilter(), kFilterAllOfInterest);
  EXPECT_EQ(::SendMessageW(pad.bar().categoryBox(), CB_GETCOUNT, 0, 0), 3) << "the two \"all\" rows and Unsorted";
  EXPECT_EQ(pad.model().term().kind, PadTermKind::kDay);
}

TEST_F(PadWindow, SearchNarrowsAfterASecondAndTheCaptionCounts) {
  Made(u"Buy milk", 1, At(0, 8));
  Made(u"Call Bob", 1, At(0, 9));
  Made(u"Milkshake recipe", 1, At(0, 10));
  now_ = At(0, 12);
  Start();
  CPadFrame& pad = OpenPad();
  ASSERT_NE(Caption(pad).find(L"(3 notes)"), std::wstring::npos) << Caption(pad);
  const ULONGLONG typed = ::GetTickCount64();
  ::SetWindowTextW(pad.bar().searchBox(), L"MILK");
  test::Pump(300);
  EXPECT_NE(Caption(pad).find(L"(3 notes)"), std::wstring::npos) << "not before the second is up";
  ASSERT_TRUE(test::PumpUntil([&] { return Caption(pad).find(L"(2 notes)") != std::wstring::npos; }, 4000))
      << Caption(pad);
  EXPECT_GE(::GetTickCount64() - typed, 900u);
  EXPECT_EQ(pad.model().RowCount(), 2u);
  // Enter searches at once; the box keeps its keys from the accelerators.
  ::SetWindowTextW(pad.bar().searchBox(), L"bob");
  MSG enter{pad.bar().searchBox(), WM_KEYDOWN, VK_RETURN, 0};
  EXPECT_FALSE(CPadFrame::PreTranslateKey(enter));
  ::SendMessageW(pad.bar().searchBox(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_NE(Caption(pad).find(L"(1 note)"), std::wstring::npos) << Caption(pad);
}

TEST_F(PadWindow, DeletingTheSelectedNoteFromItsOwnWindowMovesTheSelection) {
  const uint32_t first = Made(u"first", 1, At(0, 8));
  const uint32_t second = Made(u"second", 1, At(0, 9));
  Made(u"third", 1, At(0, 10));
  now_ = At(0, 12);
  Start();
  CPadFrame& pad = OpenPad();
  pad.SelectRow(1);
  CWnd* window = main_->OpenNoteWindow(Load(second), kOpenUser, -1);
  ASSERT_TRUE(window);
  AnswerNextBox(IDYES);
  ::SendMessageW(*window, WM_COMMAND, 32778, 0);  // "&Delete" of the note's own menu
  ASSERT_TRUE(test::PumpUntil([&] { return pad.model().RowCount() == 2; }, 5000)) << "the pad heard of it";
  EXPECT_EQ(SelectedText(pad), u"third") << "the note that took the deleted one's place";
  EXPECT_EQ(::SendMessageW(pad.view(), LB_GETCURSEL, 0, 0), 1);
  EXPECT_NE(Caption(pad).find(L"(2 notes)"), std::wstring::npos) << Caption(pad);

  // "Reopen After" from a note window lists the note again at its reopen time.
  main_->ReopenAfter(first, 3600);
  ASSERT_TRUE(test::PumpUntil([&] { return pad.model().RowCount() == 3; }, 3000));
  EXPECT_TRUE(pad.model().Row(2).reopen);
  EXPECT_EQ(pad.model().Row(2).listed, At(0, 13));
  EXPECT_EQ(SelectedText(pad), u"third") << "still the same note";

  // The row's menu while it is up: Open is its default, Launch Link greyed without a link.
  static UINT defaultItem, linkState;
  ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    HMENU menu = CMainWnd::Get()->pad()->trackedMenu();
    defaultItem = ::GetMenuDefaultItem(menu, FALSE, 0);
    linkState = ::GetMenuState(menu, ID_PAD_LAUNCH_LINK, MF_BYCOMMAND);
    ::EndMenu();
  });
  pad.ShowRowMenu({300, 300}, false);
  EXPECT_EQ(defaultItem, static_cast<UINT>(ID_PAD_OPEN));
  EXPECT_TRUE(linkState & MF_GRAYED);

  // Enter in the list opens the selected note; Alt+Right goes to the next day.
  MSG enter{pad.view().GetSafeHwnd(), WM_KEYDOWN, VK_RETURN, 0};
  EXPECT_TRUE(CPadFrame::PreTranslateKey(enter));
  ASSERT_NE(main_->noteWindows().size(), 0u);
  EXPECT_EQ(main_->noteWindows().back()->note().text, u"third");
  ::SendMessageW(pad, WM_COMMAND, ID_PAD_NEXT_TERM, 0);
  EXPECT_EQ(pad.model().term().start, At(1, 0));
  EXPECT_EQ(pad.model().RowCount(), 0u);
  EXPECT_NE(Caption(pad).find(L"(0 note)"), std::wstring::npos) << Caption(pad);
  EXPECT_FALSE(pad.nowLabel().GetSafeHwnd()) << "no Now label outside the current term";
}

// Some twenty notes of three categories over a week, with links, calendar marks, a series, a
// reopen and a title too long for its row; saved as screenshots/pad_week.png.
TEST_F(PadWindow, ScreenshotOfAWeek) {
  NOTE_CATE work, home;
  work.id = 10001, work.name = u"Work", work.icon = 4, work.paperColor = RGB(205, 228, 255);
  work.flags = kCateAutoDelete | 1;
  home.id = 10002, home.name = u"Home", home.icon = 9, home.paperColor = RGB(214, 245, 200);
  home.textColor = RGB(20, 70, 20);
  store_->SaveCategory(work, false);
  store_->SaveCategory(home, false);
  constexpr uint32_t kPlain = 0x8000;  // an unscheduled note, made at that time
  const struct {
    const char16_t* text;
    uint16_t category;
    int day, hh, mm;
    uint32_t flags;
  } notes[] = {
      {u"Stand-up meeting", 10001, -2, 9, 30, kNoteOnCalendar},
      {u"Send the quarterly report to finance", 10001, -2, 16, 0, kNoteOnCalendar},
      {u"Ideas for the garden: tomatoes, basil, a small pond with a fountain and a bench", 10002, -2, 19, 0, kPlain},
      {u"Dentist", 10002, -1, 8, 15, kNoteOnCalendar},
      {u"Wi-fi password is on the router", 1, -1, 20, 40, kPlain},
      {u"Pay the electricity bill", 10002, -1, 9, 0, kPlain},
      {u"Water the plants", 10002, 0, 7, 0, kNoteOpenEnded},
      {u"Review pull requests", 10001, 0, 9, 45, 0},
      {u"Lunch with Anna", 1, 0, 12, 30, kNoteOnCalendar},
      {u"Call the bank", 1, 0, 15, 0, 0},
      {u"Team retrospective", 10001, 0, 23, 0, kNoteOnCalendar},
      {u"Prepare slides", 10001, 1, 10, 0, 0},
      {u"Pick up the dry cleaning", 10002, 1, 18, 0, 0},
      {u"Agenda for the board", 10001, 2, 11, 0, kNoteOnCalendar},
      {u"Book titles: The Long Way Home; Rivers", 1, 2, 21, 0, kPlain},
      {u"Yoga class", 10002, 3, 18, 30, 0},
      {u"Car service", 1, 3, 8, 0, 0},
      {u"Birthday present for Sam", 10002, 3, 12, 0, 0},
      {u"Quarterly planning", 10001, 3, 14, 0, kNoteOnCalendar},
      {u"Clean the balcony", 10002, -2, 11, 0, 0},
  };
  uint32_t reopen = 0;
  for (const auto& d : notes) {
    now_ = (d.flags & kPlain) ? At(d.day, d.hh, d.mm) : At(-3, 7);
    NOTE_PAD n;
    n.text = d.text;
    n.category = d.category;
    if (!(d.flags & kPlain)) {
      n.flags = kNoteScheduled | d.flags;
      n.start = n.end = MachineLocalTime().DayStart(DayNumber(2026, 5, 13) + d.day);
      n.timeFrom = d.hh * 3600 + d.mm * 60;
      n.repeatKind = (d.flags & kNoteOpenEnded) ? kRepeatDaily : kRepeatNone;
    }
    if (d.day == 2) n.link = u"https://example.com/agenda";
    store_->SaveNote(n);
    if (n.text.rfind(u"Pay", 0) == 0) reopen = n.id;
  }
  now_ = At(0, 10, 30);
  Start();
  main_->ReopenAfter(reopen, 5 * 3600);
  CPadFrame& pad = OpenPad(0, nullptr, kFilterAllCategories);
  ::SendMessageW(pad, WM_COMMAND, ID_PAD_WEEK_VIEW, 0);
  ::SetWindowPos(pad, nullptr, 380, 10, 400, 990, SWP_NOZORDER);
  pad.SelectRow(7);
  test::PumpUntil([&] { return !pad.model().entries().empty() && ::IsWindowVisible(pad.nowLabel()); }, 3000);
  ASSERT_EQ(pad.model().RowCount(), 21u) << "twenty notes and the reopen of one";
  test::Pump(800);
  EXPECT_TRUE(test::SaveScreenshot(test::ScreenshotPath(L"pad_week.png")));

  // The Now label's point sits on the boundary below the last row before now.
  RECT label{}, item{};
  ::GetWindowRect(pad.nowLabel(), &label);
  const int row = pad.model().NowMarkerRow();
  ASSERT_GE(row, 0);
  ::SendMessageW(pad.view(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  ::MapWindowPoints(pad.view(), nullptr, reinterpret_cast<POINT*>(&item), 2);
  EXPECT_EQ(label.top + (label.bottom - label.top) / 2, item.bottom);
  EXPECT_LT(pad.model().Row(static_cast<size_t>(row)).listed, At(0, 10, 30));
  EXPECT_GE(pad.model().Row(static_cast<size_t>(row) + 1).listed, At(0, 10, 30));

  // A title cut short shows whole in a tip while the mouse rests on it.
  for (size_t i = 0; i < pad.model().RowCount(); ++i) {
    if (pad.model().Row(i).Title().rfind(u"Ideas", 0) != 0) continue;
    const CPadView::RowCache& cache = pad.view().Cache(i);
    ASSERT_TRUE(cache.titleCut);
    RECT r{};
    ::SendMessageW(pad.view(), LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
    ::SendMessageW(pad.view(), WM_MOUSEHOVER, 0, MAKELPARAM(r.left + cache.title.left + 5, r.top + cache.title.top + 3));
    ASSERT_TRUE(pad.view().titleTip().IsShown());
    EXPECT_EQ(pad.view().titleTip().rows()[0], ToWide(cache.look.title));
    test::Pump(300);
    EXPECT_TRUE(test::SaveScreenshot(test::ScreenshotPath(L"pad_week_title_tip.png")));
    ::SendMessageW(pad.view(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_FALSE(pad.view().titleTip().IsShown()) << "moving the mouse closes it";
  }
}

}  // namespace
}  // namespace zavra
