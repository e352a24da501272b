// Windows that go while their own menu or dialog is up, and the main window's end: a note
// deleted from elsewhere (as the pad or calendar will) and the last saves at exit.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "app/MainWindowFixture.h"
#include "app/MainWnd_win.h"
#include "notewnd/NoteWnd_win.h"
#include "resources/notezavra_res.h"
#include "schedule/LocalTime.h"
#include <functional>

namespace zavra {
namespace {

// Runs `body` once from inside whatever modal loop this thread is in 300 ms from now.
std::function<void()> g_inside;
void CALLBACK RunInside(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(nullptr, id);
  const std::function<void()> body = std::move(g_inside);
  g_inside = nullptr;
  if (body) body();
}
void WhileModal(std::function<void()> body) {
  g_inside = std::move(body);
  ::SetTimer(nullptr, 0, 300, RunInside);
}

class NoteLifetimes : public test::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    now_ = 1'800'000'000;
    AddCategory(1, u"Unsorted");
  }
  // Two open notes: the one the test deletes, and one that must not notice.
  void OpenTwo(CMainWnd& main) {
    doomed_ = Note(u"doomed", {100, 100, 260, 220});
    other_ = Note(u"bystander", {400, 100, 560, 220});
    ASSERT_TRUE(main.OpenNoteWindow(doomed_, kOpenRestore, 0));
    ASSERT_TRUE(main.OpenNoteWindow(other_, kOpenRestore, 0));
  }
  NOTE_PAD Note(const char16_t* text, RECT32 rect) {
    NOTE_PAD n;
    n.text = text;
    n.rect = rect;
    EXPECT_TRUE(store_->SaveNote(n));
    return n;
  }
  void ExpectOnlyTheOtherLeft(CMainWnd& main) {
    EXPECT_TRUE(::IsWindow(main));
    EXPECT_EQ(main.FindNoteWindow(doomed_.id), nullptr);
    NOTE_PAD probe;
    EXPECT_NE(store_->LoadNote(doomed_.id, probe), kFileOk);
    ASSERT_EQ(main.noteWindows().size(), 1u);
    EXPECT_EQ(main.noteWindows()[0]->note().text, u"bystander");
    ASSERT_EQ(store_->LoadNote(other_.id, probe), kFileOk);
    EXPECT_EQ(probe.text, u"bystander");
    EXPECT_TRUE(main.savedState().reopens.empty());
  }
  NOTE_PAD doomed_, other_;
};

TEST_F(NoteLifetimes, NoteDeletedWhileItsContextMenuIsUp) {
  CMainWnd& main = Start();
  OpenTwo(main);
  const uint32_t id = doomed_.id;
  WhileModal([&] {
    main.store().DeleteNote(id);
    // Choose "Cop&y" as a user might in the instant before the menu goes.
    if (HWND popup = ::FindWindowW(L"#32768", nullptr)) {
      for (int i = 0; i < 3; ++i) ::PostMessageW(popup, WM_KEYDOWN, VK_DOWN, 0);
      ::PostMessageW(popup, WM_KEYDOWN, VK_RETURN, 0);
    }
    WhileModal([] { ::EndMenu(); });
  });
  ::SendMessageW(*main.FindNoteWindow(id), WM_RBUTTONUP, 0, MAKELPARAM(40, 60));
  test::Pump(200);
  ExpectOnlyTheOtherLeft(main);
}

TEST_F(NoteLifetimes, NoteDeletedWhileItsReopenDialogIsUp) {
  CMainWnd& main = Start();
  OpenTwo(main);
  const uint32_t id = doomed_.id;
  WhileModal([&] {
    // The user asks for five minutes, and the note is deleted before the dialog returns.
    if (HWND dialog = ::FindWindowW(L"#32770", L"Timer")) {
      ::SetDlgItemTextW(dialog, IDC_REOPEN_MINUTES, L"5");
      ::SendMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
    main.store().DeleteNote(id);
  });
  ::SendMessageW(*main.FindNoteWindow(id), WM_COMMAND, 32882, 0);  // "Custom..."
  test::Pump(200);
  ExpectOnlyTheOtherLeft(main);
}

TEST_F(NoteLifetimes, NothingFiresWhileTheMainWindowEndsAndItFiresAtTheNextStart) {
  CMainWnd& main = Start();
  // A note window that will save its moved paper at exit, and a note whose time comes just
  // before the exit, before the scan timer could fire.
  NOTE_PAD moved = Note(u"moved", {100, 100, 260, 220});
  const LocalFields f = MachineLocalTime().FieldsOf(now_ + 600);
  moved.flags |= kNoteScheduled;
  moved.start = moved.end = MachineLocalTime().DayStart(f.dayNumber);
  moved.timeFrom = f.secondOfDay;
  ASSERT_TRUE(store_->SaveNote(moved));
  auto* window = dynamic_cast<CNoteWnd*>(main.OpenNoteWindow(moved, kOpenRestore, 0));
  ASSERT_TRUE(window);
  window->SetPaperRect(RECT{300, 300, 460, 420});
  NOTE_PAD due = Note(u"due", {600, 100, 760, 220});
  const LocalFields g = MachineLocalTime().FieldsOf(now_ + 60);
  due.flags |= kNoteScheduled;
  due.start = due.end = MachineLocalTime().DayStart(g.dayNumber);
  due.timeFrom = g.secondOfDay;
  ASSERT_TRUE(store_->SaveNote(due));
  now_ += 120;

  ::DestroyWindow(main);
  EXPECT_TRUE(main.noteWindows().empty()) << "no window opened while the others closed";
  NOTE_PAD saved;
  ASSERT_EQ(store_->LoadNote(moved.id, saved), kFileOk);
  EXPECT_EQ(saved.rect.left, 300) << "the moved note kept its place";

  main_.reset();
  MSG m;
  while (::PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  CMainWnd& next = Start();
  EXPECT_NE(next.FindNoteWindow(due.id), nullptr) << "the alarm held back at exit fires at the next start";
}

}  // namespace
}  // namespace zavra
