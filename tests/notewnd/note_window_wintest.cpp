// Note windows' behaviour: snapping while moved, placement on the right monitor, closing,
// transient notes and the note notifications.
#include "NoteWndTestSupport.h"

namespace zavra {
namespace {

using test::FakeHost;
using test::FileExists;
using test::PlainNote;

std::string Show(const RECT& r) {
  return "{" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom) + "}";
}

// Moves the window through the system's move messages as if dragged to put its paper at
// `paperLeft`, `paperTop`; returns the paper rectangle the window settles on.
RECT DragPaperTo(CNoteWnd& w, LONG paperLeft, LONG paperTop) {
  RECT window{}, paper = w.PaperScreenRect();
  ::GetWindowRect(w, &window);
  ::SendMessageW(w, WM_ENTERSIZEMOVE, 0, 0);
  ::OffsetRect(&window, paperLeft - paper.left, paperTop - paper.top);
  ::SendMessageW(w, WM_MOVING, WMSZ_TOP, reinterpret_cast<LPARAM>(&window));
  RECT before{};
  ::GetWindowRect(w, &before);
  RECT moved = paper;
  ::OffsetRect(&moved, window.left - before.left, window.top - before.top);
  ::SendMessageW(w, WM_EXITSIZEMOVE, 0, 0);
  return moved;
}

void SetShift(bool down) {
  BYTE keys[256] = {};
  ::GetKeyboardState(keys);
  keys[VK_SHIFT] = down ? 0x80 : 0;
  ::SetKeyboardState(keys);
}

class NoteWindow : public testing::Test {
 protected:
  FakeHost host;
};

TEST_F(NoteWindow, MovingNearAnotherNoteSnapsUnlessShiftOrNoteSnapOff) {
  CNoteWnd* a = host.Open(PlainNote(u"A", {100, 100, 220, 180}));
  CNoteWnd* b = host.Open(PlainNote(u"B", {600, 400, 700, 440}));  // its bottom stays far
  ASSERT_TRUE(a && b);
  const RECT other = a->PaperScreenRect();
  const LONG gap = static_cast<LONG>(host.settings.noteGap);
  RECT got = DragPaperTo(*b, other.right + gap + 11, other.top + 9);
  EXPECT_EQ(got.left, other.right + gap) << Show(got);
  EXPECT_EQ(got.top, other.top) << Show(got);

  SetShift(true);
  got = DragPaperTo(*b, other.right + gap + 11, other.top + 9);
  SetShift(false);
  EXPECT_EQ(got.left, other.right + gap + 11) << "Shift disables snapping " << Show(got);
  EXPECT_EQ(got.top, other.top + 9) << Show(got);

  host.settings.noteSnap = false;
  got = DragPaperTo(*b, other.right + gap + 11, other.top + 9);
  EXPECT_EQ(got.left, other.right + gap + 11) << "\"NoteSnap\" off: no snapping " << Show(got);
}

TEST_F(NoteWindow, NoteOnTheSecondMonitorStaysThere) {
  // Primary 1280 x 1024 with a taskbar; a second monitor to its right.
  host.monitors = {{{0, 0, 1280, 1024}, {0, 0, 1280, 984}}, {{1280, 0, 2560, 1024}, {1280, 0, 2560, 1024}}};
  CNoteWnd* w = host.Open(PlainNote(u"Right", {1800, 300, 1950, 400}));
  ASSERT_TRUE(w);
  RECT r = w->PaperScreenRect();
  EXPECT_EQ(r.left, 1800) << "not pulled onto the primary monitor " << Show(r);
  EXPECT_EQ(r.top, 300) << Show(r);

  // Hanging off the second monitor's bottom: clamped into that monitor's work area.
  CNoteWnd* low = host.Open(PlainNote(u"Low", {2000, 990, 2150, 1090}));
  ASSERT_TRUE(low);
  r = low->PaperScreenRect();
  EXPECT_EQ(r.left, 2000) << Show(r);
  EXPECT_EQ(r.bottom, 1024) << "kept on the second monitor " << Show(r);

  // The clamped place is what the note file keeps once the window closes.
  const uint32_t lowId = low->noteId();
  ::DestroyWindow(*low);
  NOTE_PAD saved;
  ASSERT_EQ(host.store.LoadNote(lowId, saved), 0);
  EXPECT_EQ(saved.rect.bottom, 1024);
  EXPECT_EQ(saved.rect.left, 2000);

  // Off every monitor: into the nearest one.
  CNoteWnd* lost = host.Open(PlainNote(u"Lost", {3000, 200, 3150, 300}));
  ASSERT_TRUE(lost);
  r = lost->PaperScreenRect();
  EXPECT_EQ(r.right, 2560) << Show(r);
}

TEST_F(NoteWindow, SystemMonitorsHaveWorkAreasInside) {
  const std::vector<MonitorArea> monitors = SystemMonitors();
  ASSERT_FALSE(monitors.empty());
  for (const MonitorArea& m : monitors) {
    EXPECT_GE(m.work.left, m.monitor.left);
    EXPECT_GE(m.work.top, m.monitor.top);
    EXPECT_LE(m.work.right, m.monitor.right);
    EXPECT_LE(m.work.bottom, m.monitor.bottom);
    EXPECT_GT(m.work.right - m.work.left, 0);
  }
  // With no monitors from the host the system's are used: a note off the screen comes back.
  CNoteWnd* w = host.Open(PlainNote(u"Far", {90000, 100, 90150, 200}));
  ASSERT_TRUE(w);
  const RECT r = w->PaperScreenRect();
  bool onSome = false;
  for (const MonitorArea& m : monitors) onSome |= r.left >= m.work.left && r.right <= m.work.right;
  EXPECT_TRUE(onSome) << Show(r);
}

TEST_F(NoteWindow, NewWindowIsPlacedClearOfOpenNotes) {
  CNoteWnd* a = host.Open(PlainNote(u"A", {300, 300, 420, 380}));
  CNoteWnd* b = host.Open(PlainNote(u"B", {300, 300, 420, 380}));
  ASSERT_TRUE(a && b);
  RECT ra = a->PaperScreenRect(), rb = b->PaperScreenRect(), both{};
  ::InflateRect(&ra, static_cast<int>(host.settings.noteGap) - 1, static_cast<int>(host.settings.noteGap) - 1);
  EXPECT_FALSE(::IntersectRect(&both, &ra, &rb)) << Show(ra) << " and " << Show(rb);
}

TEST_F(NoteWindow, ClosingATemporaryNoteDeletesItsFile) {
  NOTE_CATE temp;
  temp.name = u"Scratch";
  temp.flags = kCateTemporary;
  ASSERT_TRUE(host.store.SaveCategory(temp, false));
  NOTE_PAD note = PlainNote(u"Gone soon");
  note.category = static_cast<uint16_t>(temp.id);
  CNoteWnd* w = host.Open(note);
  ASSERT_TRUE(w);
  const std::u16string file = host.store.PathOf(StoreKind::kNote, w->noteId());
  ASSERT_TRUE(FileExists(file));
  const HWND hwnd = *w;
  ::SendMessageW(hwnd, WM_MBUTTONUP, 0, 0);
  EXPECT_FALSE(FileExists(file)) << "the note of a \"Temporary\" category is deleted";
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_FALSE(host.Called("recent:" + std::to_string(note.id)));

  CNoteWnd* kept = host.Open(PlainNote(u"Kept"));
  ASSERT_TRUE(kept);
  const uint32_t id = kept->noteId();
  const std::u16string keptFile = host.store.PathOf(StoreKind::kNote, id);
  ::SendMessageW(*kept, WM_MBUTTONUP, 0, 0);
  EXPECT_TRUE(FileExists(keptFile));
  EXPECT_TRUE(host.Called("recent:" + std::to_string(id))) << "a closed note enters the recent list";
}

TEST_F(NoteWindow, CreatedAsTheMainWindowExpects) {
  CNoteWnd* w = host.Open(PlainNote(u"Styles"), kOpenPreopen, 1);
  ASSERT_TRUE(w);
  wchar_t title[32] = {};
  ::GetWindowTextW(*w, title, 32);
  EXPECT_STREQ(title, L"QZ[Note]");
  const DWORD ex = w->exStyle();
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_TRUE(ex & WS_EX_LAYERED);
  EXPECT_TRUE(ex & WS_EX_TOPMOST);
  EXPECT_TRUE(::GetWindowLongW(*w, GWL_STYLE) & WS_POPUP);
  EXPECT_TRUE(w->state() & kStatePopup) << "pre-open mode";
  EXPECT_FALSE(w->state() & kStateAlarm);
  w->ApplyOpenMode(kOpenAlarm);
  EXPECT_TRUE(w->state() & kStateAlarm) << "also on an open window";

  const UINT shadowed = static_cast<UINT>(::GetClassLongPtrW(*w, GCL_STYLE));
  EXPECT_TRUE(shadowed & CS_DROPSHADOW) << "\"NoteShadow\" is on by default";
  EXPECT_TRUE(shadowed & CS_DBLCLKS);
  EXPECT_TRUE((shadowed & (CS_HREDRAW | CS_VREDRAW)) == (CS_HREDRAW | CS_VREDRAW));

  host.settings.noteOnTop = false;
  host.settings.noteShadow = false;
  CNoteWnd* plain = host.Open(PlainNote(u"Default"), kOpenRestore, -1);
  ASSERT_TRUE(plain);
  EXPECT_FALSE(plain->topmost()) << "\"NoteOnTop\" off";
  EXPECT_FALSE(::GetClassLongPtrW(*plain, GCL_STYLE) & CS_DROPSHADOW) << "\"NoteShadow\" off";
  EXPECT_EQ(plain->state() & (kStatePopup | kStateAlarm), 0u);

  // A damaged record's empty rectangle gets the default size.
  CNoteWnd* empty = host.Open(PlainNote(u"Empty", {500, 500, 500, 500}));
  ASSERT_TRUE(empty);
  const RECT r = empty->PaperScreenRect();
  EXPECT_EQ(r.right - r.left, host.settings.noteWidth) << Show(r);
  EXPECT_EQ(r.bottom - r.top, host.settings.noteHeight) << Show(r);
}

TEST_F(NoteWindow, SaveStateWritesAMovedPaperOnce) {
  CNoteWnd* w = host.Open(PlainNote(u"Exit", {100, 100, 220, 180}));
  ASSERT_TRUE(w);
  const uint32_t id = w->noteId();
  const std::u16string file = host.store.PathOf(StoreKind::kNote, id);
  WIN32_FILE_ATTRIBUTE_DATA before{};
  ::GetFileAttributesExW(AsWide(file), GetFileExInfoStandard, &before);
  w->SaveState();
  NOTE_PAD saved;
  ASSERT_EQ(host.store.LoadNote(id, saved), 0);
  EXPECT_EQ(saved.rect.left, 100) << "unmoved: nothing to write";
  w->SetPaperRect(RECT{150, 120, 270, 200});
  w->SaveState();
  ASSERT_EQ(host.store.LoadNote(id, saved), 0);
  EXPECT_EQ(saved.rect.left, 150);
  EXPECT_EQ(saved.rect.top, 120);
  EXPECT_TRUE(::IsWindow(*w)) << "the window stays open";
}

TEST_F(NoteWindow, MoveSurvivesASaveByAnotherWindow) {
  CNoteWnd* w = host.Open(PlainNote(u"Moved, then edited", {100, 100, 220, 180}));
  ASSERT_TRUE(w);
  const uint32_t id = w->noteId();
  w->SetPaperRect(RECT{300, 200, 420, 280});
  NOTE_PAD edited;
  ASSERT_EQ(host.store.LoadNote(id, edited), 0);
  edited.text = u"Edited elsewhere";
  ASSERT_TRUE(host.store.SaveNote(edited));  // still the old rectangle
  EXPECT_EQ(test::FakeHost::Narrow(w->note().text), "Edited elsewhere");
  ::DestroyWindow(*w);
  NOTE_PAD saved;
  ASSERT_EQ(host.store.LoadNote(id, saved), 0);
  EXPECT_EQ(saved.rect.left, 300) << "the window's place wins over the stale record";
  EXPECT_EQ(test::FakeHost::Narrow(saved.text), "Edited elsewhere");
}

TEST_F(NoteWindow, MovedNoteKeepsItsRectangleWhenClosed) {
  CNoteWnd* w = host.Open(PlainNote(u"Moved", {100, 100, 220, 180}));
  ASSERT_TRUE(w);
  const uint32_t id = w->noteId();
  w->SetPaperRect(RECT{400, 300, 540, 400});
  ::DestroyWindow(*w);
  NOTE_PAD saved;
  ASSERT_EQ(host.store.LoadNote(id, saved), 0);
  EXPECT_EQ(saved.rect.left, 400);
  EXPECT_EQ(saved.rect.top, 300);
  EXPECT_EQ(saved.rect.right - saved.rect.left, 140);
}

// Counts menus that came up; a thread timer inside the menu loop takes any down again.
int g_menusSeen = 0;
void CALLBACK CountAndEndMenu(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  if (::FindWindowW(L"#32768", nullptr)) ++g_menusSeen;
  ::EndMenu();
}

TEST_F(NoteWindow, TransientNoteHasNoMenuIgnoresDeleteAndMiddleButtonAndLaunchesItsLink) {
  NOTE_PAD note = PlainNote(u"Feed item");
  note.flags |= kNoteTransient;
  note.link = u"http://example.invalid/item";
  CNoteWnd* w = host.Open(note);
  ASSERT_TRUE(w);
  const HWND hwnd = *w;
  g_menusSeen = 0;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 300, CountAndEndMenu);
  ::SendMessageW(hwnd, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
  test::Pump(400);
  ::KillTimer(nullptr, timer);
  EXPECT_EQ(g_menusSeen, 0) << "no context menu";
  ::SendMessageW(hwnd, WM_KEYDOWN, VK_DELETE, 0);
  ::SendMessageW(hwnd, WM_MBUTTONUP, 0, 0);
  EXPECT_TRUE(::IsWindow(hwnd));
  EXPECT_FALSE(host.Called("delete"));
  ::SendMessageW(hwnd, WM_LBUTTONDBLCLK, 0, MAKELPARAM(20, 20));
  ::SendMessageW(hwnd, WM_KEYDOWN, VK_SPACE, 0);
  EXPECT_EQ(std::count(host.calls.begin(), host.calls.end(), "launch:http://example.invalid/item"), 2);
  EXPECT_FALSE(host.Called("edit"));
}

TEST_F(NoteWindow, NotificationsReloadDeleteAndRecolour) {
  CNoteWnd* w = host.Open(PlainNote(u"First"));
  ASSERT_TRUE(w);
  NOTE_PAD changed = w->note();
  changed.text = u"Second";
  ASSERT_TRUE(host.store.SaveNote(changed));  // announces code 2 through the host
  EXPECT_EQ(test::FakeHost::Narrow(w->note().text), "Second");

  NOTE_CATE cate = host.store.LoadCategory(w->note().category);
  cate.paperColor = 0x0000C0FF;
  cate.variation = 0;
  ASSERT_TRUE(host.store.SaveCategory(cate, false));
  ::SendMessageW(*w, WM_NOTE_NOTIFY, kNotifyCategoriesChanged, 0);
  EXPECT_EQ(w->note().paperColor, 0x0000C0FFu) << "the category's paper colour applies";

  const HWND hwnd = *w;
  ::SendMessageW(hwnd, WM_NOTE_NOTIFY, kNotifyNoteDeleted, 0);
  EXPECT_FALSE(::IsWindow(hwnd));
  EXPECT_TRUE(host.Called("closed"));
}

}  // namespace
}  // namespace zavra
