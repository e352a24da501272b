// Trackers of the main window: the stack, deleting from a tracker's own menu, the list kept
// across a restart, and the alarm that shakes a tracker until it is clicked.
#include "notewnd/TrackWnd_win.h"  // first: see there
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "app/MainWindowFixture.h"
#include "app/MainWnd_win.h"
#include "notewnd/TrackerLayout.h"
#include "schedule/LocalTime.h"
#include <algorithm>
#include <atomic>
#include <set>
#include <thread>

namespace zavra {
namespace {

class Trackers : public test::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    AddCategory(1, u"Unsorted");
    day_ = MachineLocalTime().FieldsOf(1'800'000'000).dayNumber;
    now_ = MachineLocalTime().TimeOn(day_, 7 * 3600);
  }
  // A one-off note at `when`, saved behind the main window's back.
  NOTE_PAD Due(int64_t when, const char16_t* text) {
    NOTE_PAD n;
    n.text = text;
    if (when) {
      const LocalFields f = MachineLocalTime().FieldsOf(when);
      n.flags = kNoteScheduled;
      n.start = MachineLocalTime().DayStart(f.dayNumber);
      n.end = n.start;
      n.timeFrom = f.secondOfDay;
    }
    EXPECT_TRUE(store_->SaveNote(n));
    return n;
  }
  int64_t At(int hour) const { return MachineLocalTime().TimeOn(day_, hour * 3600); }
  static RECT Place(const CTrackWnd* t) {
    RECT r{};
    ::GetWindowRect(*t, &r);
    return r;
  }
  int64_t day_ = 0;
};

// Inside the tracker's menu loop: looks at the menu, then picks "&Delete" by its mnemonic.
const CTrackWnd* g_tracker = nullptr;
std::wstring g_padItem;
UINT g_defaultItem = 0;

void CALLBACK PickDelete(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (HMENU menu = g_tracker->trackedMenu()) {
    wchar_t text[64] = {};
    ::GetMenuStringW(menu, 32849, text, 64, MF_BYCOMMAND);
    g_padItem = text;
    g_defaultItem = ::GetMenuDefaultItem(menu, FALSE, 0);
  }
  ::PostMessageW(::FindWindowW(L"#32768", nullptr), WM_CHAR, L'd', 0);
  // Should the key not reach the menu, the test must not hang in it.
  ::SetTimer(nullptr, 0, 3000, [](HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    ::EndMenu();
  });
}

// Presses Yes on the confirmation box that `owner` shows.
void AnswerYes(HWND owner, std::atomic<bool>& answered) {
  for (int i = 0; i < 200 && !answered; ++i) {
    ::Sleep(50);
    HWND box = nullptr;
    while ((box = ::FindWindowExW(nullptr, box, L"#32770", nullptr)))
      if (::GetWindow(box, GW_OWNER) == owner && ::IsWindowVisible(box)) {
        ::PostMessageW(box, WM_COMMAND, IDYES, 0);
        answered = true;
        break;
      }
  }
}

TEST_F(Trackers, ThreeNotesStackInOrderAndDeletingOneFromItsMenuClosesTheGap) {
  const NOTE_PAD ten = Due(At(10), u"Ten o'clock");
  const NOTE_PAD plain = Due(0, u"Not scheduled");
  const NOTE_PAD nine = Due(At(9), u"Nine o'clock");
  CMainWnd& main = Start();
  for (const NOTE_PAD* n : {&ten, &plain, &nine}) main.TrackNote(*n);
  main.TrackNote(nine);
  ASSERT_EQ(main.trackers().size(), 3u) << "one tracker per note";
  const std::vector<CTrackWnd*> stack = main.trackers();
  EXPECT_EQ(stack[0]->noteId(), plain.id);
  EXPECT_EQ(stack[1]->noteId(), nine.id);
  EXPECT_EQ(stack[2]->noteId(), ten.id);
  const RECT32 area = TrackAreaOnScreen(main.settings().trackRect);
  const int gap = static_cast<int>(main.settings().trackGap);
  LONG y = area.top;
  for (const CTrackWnd* t : stack) {
    const RECT r = Place(t);
    EXPECT_EQ(r.left, area.left);
    EXPECT_EQ(r.top, y);
    EXPECT_EQ(r.right - r.left, area.right - area.left);
    y = r.bottom + gap;
  }

  g_tracker = stack[1];
  std::atomic<bool> answered{false};
  std::thread yes([&] { AnswerYes(*stack[1], answered); });
  ::SetTimer(nullptr, 0, 200, PickDelete);
  const RECT r = Place(stack[1]);
  ::SendMessageW(*stack[1], WM_CONTEXTMENU, 0, MAKELPARAM(r.left + 30, r.top + 5));
  yes.join();
  EXPECT_EQ(g_padItem, L"Open &Pad (Unsorted)");
  EXPECT_EQ(g_defaultItem, 32777u) << "\"&Edit...\" is the default";
  ASSERT_TRUE(answered) << "no confirmation box";
  ASSERT_TRUE(test::PumpUntil([&] { return main.trackers().size() == 2; })) << "the tracker did not go";
  NOTE_PAD probe;
  EXPECT_NE(store_->LoadNote(nine.id, probe), kFileOk) << "the note was deleted";
  EXPECT_EQ(Place(main.trackers()[0]).top, area.top);
  EXPECT_EQ(Place(main.trackers()[1]).top, Place(main.trackers()[0]).bottom + gap) << "the stack closed up";
  EXPECT_EQ(main.trackers()[1]->noteId(), ten.id);
}

TEST_F(Trackers, TrackersAndTheirAlarmComeBackAfterARestart) {
  const NOTE_PAD plain = Due(0, u"Plain");
  const int64_t dueAt = now_ + 60;
  const NOTE_PAD due = Due(dueAt, u"Due");
  {
    CMainWnd& main = Start();
    main.TrackNote(plain);
    main.TrackNote(due);
    now_ += 60;
    main.RunAlarmScan();
    CTrackWnd* ringing = main.FindTracker(due.id);
    ASSERT_TRUE(ringing);
    ASSERT_TRUE(test::PumpUntil([&] { return ringing->alarm(); })) << "the alarm reached the tracker";
  }
  now_ += 5;
  main_.reset();
  Settings s;
  SavedState st;
  LoadSettings(registry_->OpenSettingsKey().get(), RECT32{0, 0, 800, 600}, s, st);
  EXPECT_EQ(st.trackers, (std::vector<TrackerEntry>{{plain.id, 0}, {due.id, 1}}));

  CMainWnd& again = Start();
  ASSERT_EQ(again.trackers().size(), 2u);
  EXPECT_FALSE(again.FindTracker(plain.id)->alarm());
  EXPECT_TRUE(again.FindTracker(due.id)->alarm());
  EXPECT_EQ(again.FindTracker(due.id)->occurrence(), dueAt) << "still the one that rang";
}

TEST_F(Trackers, ADueNotesTrackerShakesOnTopUntilClicked) {
  SetDword(u"TrackOnTop", 0);
  const NOTE_PAD note = Due(now_ + 60, u"Shake");
  SetList(u"Tracklist", {note.id, 0});  // id, alarm off
  CMainWnd& main = Start();
  CTrackWnd* t = main.FindTracker(note.id);
  ASSERT_TRUE(t) << "restored from the list";
  EXPECT_EQ(main.FindNoteWindow(note.id), nullptr) << "a tracked note is not pre-opened";
  EXPECT_FALSE(t->topmost());

  now_ += 60;
  main.RunAlarmScan();
  ASSERT_TRUE(test::PumpUntil([&] { return t->alarm(); }));
  EXPECT_TRUE(t->topmost()) << "on top while ringing";
  EXPECT_EQ(main.FindNoteWindow(note.id), nullptr) << "a tracked note rings in its tracker";
  const LONG left = t->rect().left;
  std::set<LONG> lefts;
  EXPECT_TRUE(test::PumpUntil([&] {
    lefts.insert(Place(t).left);
    return lefts.count(left - 1) && lefts.count(left + 1);
  }, 3000)) << "shakes a pixel either way";
  EXPECT_LE(lefts.size(), 3u);

  now_ += 3;
  ::SendMessageW(*t, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(30, 5));
  EXPECT_FALSE(t->alarm());
  EXPECT_EQ(Place(t).left, left) << "still";
  EXPECT_FALSE(t->topmost());
  EXPECT_EQ(t->schedule().header().baseColor(), kHeaderRed) << "the occurrence that rang";
  test::Pump(700);
  EXPECT_EQ(Place(t).left, left);
  // "Keep Tracker On Top" from the tray menu reaches every tracker.
  ::SendMessageW(main, WM_COMMAND, kCmdTrackerOnTop, 0);
  EXPECT_TRUE(t->topmost());
}

// A stack of trackers in their own colours over a backdrop, saved as
// screenshots/trackers_stack.png for a person to look at.
TEST_F(Trackers, ScreenshotOfAStack) {
  const COLORREF desk = RGB(70, 110, 150);
  BrushHandle brush(::CreateSolidBrush(desk));
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = brush.get();
  wc.lpszClassName = L"ZavraTrackerBackdrop";
  ::RegisterClassW(&wc);
  const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
  HWND backdrop = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, sw - 420, sh / 2 - 40, 420,
                                    sh / 2 + 40, nullptr, nullptr, wc.hInstance, nullptr);
  ::ShowWindow(backdrop, SW_SHOWNOACTIVATE);

  struct Look {
    int64_t due;
    const char16_t* text;
    COLORREF paper, ink;
    uint16_t icon;
  };
  const Look looks[] = {
      {0, u"White paper, black text", RGB(255, 255, 255), RGB(0, 0, 0), 0},
      {now_ + 40 * 60, u"Call the dentist", RGB(255, 236, 130), RGB(60, 40, 0), 3},
      {now_, u"Stand-up meeting", RGB(40, 40, 60), RGB(255, 255, 255), 5},
      {MachineLocalTime().TimeOn(day_ + 1, 9 * 3600),
       u"A long note whose first line runs on and on past two lines of the tracker, so it is cut", RGB(255, 200, 220),
       RGB(140, 0, 30), 7},
  };
  std::vector<NOTE_PAD> notes;
  for (const Look& l : looks) {
    NOTE_PAD n = Due(l.due, l.text);
    n.flags |= kNoteOwnPaperColor | kNoteOwnTextColor | kNoteOwnIcon;
    n.paperColor = l.paper;
    n.textColor = l.ink;
    n.icon = l.icon;
    notes.push_back(n);
  }
  CMainWnd& main = Start();
  for (const NOTE_PAD& n : notes) main.TrackNote(n);
  ::PostMessageW(*main.FindTracker(notes[2].id), WM_NOTE_NOTIFY, kNotifyAlarmFired, 0);
  test::Pump(1000);
  EXPECT_TRUE(test::SaveScreenshot(test::ScreenshotPath(L"trackers_stack.png")));

  // White paper: black ink with a near-white rim on a transparent ground.
  const CTrackWnd* t = main.FindTracker(notes[0].id);
  const SkinCanvas& c = t->canvas();
  const int count = c.width() * c.height();
  const int rim = static_cast<int>(std::count(c.pixels(), c.pixels() + count, 0xFFFDFDFDu));
  const int ink = static_cast<int>(
      std::count_if(c.pixels(), c.pixels() + count, [](uint32_t p) { return p >> 24 && (p & 0xFF) < 0x60; }));
  EXPECT_GT(ink, 20);
  EXPECT_GT(rim, ink / 2);
  EXPECT_GT(std::count(c.pixels(), c.pixels() + count, 0u), count / 2);
  HDC screen = ::GetDC(nullptr);
  EXPECT_EQ(::GetPixel(screen, t->rect().left + 3, t->rect().top + 3), desk) << "the desktop shows through";
  ::ReleaseDC(nullptr, screen);
  ::DestroyWindow(backdrop);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

}  // namespace
}  // namespace zavra
