// Note windows deleted from elsewhere (as the pad or calendar will) while their own menu or
// dialog is up, and the main window's end: nothing fires or opens while it saves and closes.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "app/MainWindowFixture.h"
#include "notewnd/NoteWnd_win.h"
#include "resources/notezavra_res.h"
#include "schedule/LocalTime.h"
#include <functional>

namespace zavra {
namespace {

// Runs `body` from inside whatever modal loop this thread is in 300 ms from now.
std::function<void()> g_inside;
void WhileModal(std::function<void()> body) {
  g_inside = std::move(body);
  ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
    ::KillTimer(nullptr, id);
    const std::function<void()> run = std::move(g_inside);
    g_inside = nullptr;
    if (run) run();
  });
}

class NoteLifetimes : public test::MainWindowFixture {
 protected:
  NOTE_PAD Note(const char16_t* text, int32_t left, int64_t due = 0) {
    NOTE_PAD n;
    n.text = text;
    n.rect = {left, 100, left + 160, 220};
    if (due) {
      const LocalFields f = MachineLocalTime().FieldsOf(due);
      n.flags = kNoteScheduled;
      n.start = n.end = MachineLocalTime().DayStart(f.dayNumber);
      n.timeFrom = f.secondOfDay;
    }
    EXPECT_TRUE(store_->SaveNote(n));
    return n;
  }
};

TEST_F(NoteLifetimes, NoteDeletedWhileItsMenuOrItsReopenDialogIsUp) {
  AddCategory(1, u"Unsorted");
  CMainWnd& main = Start();
  const NOTE_PAD menu = Note(u"menu", 100), dialog = Note(u"dialog", 300), other = Note(u"bystander", 500);
  for (const NOTE_PAD& n : {menu, dialog, other}) ASSERT_TRUE(main.OpenNoteWindow(n, kOpenRestore, 0));

  WhileModal([&] {
    main.store().DeleteNote(menu.id);
    if (HWND popup = ::FindWindowW(L"#32768", nullptr)) {  // "Cop&y", as a quick user would
      for (UINT key : {VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}) ::PostMessageW(popup, WM_KEYDOWN, key, 0);
    }
    WhileModal([] { ::EndMenu(); });
  });
  ::SendMessageW(*main.FindNoteWindow(menu.id), WM_RBUTTONUP, 0, MAKELPARAM(40, 60));
  WhileModal([&] {
    if (HWND box = ::FindWindowW(L"#32770", L"Timer")) {  // five minutes, then the note goes
      ::SetDlgItemTextW(box, IDC_REOPEN_MINUTES, L"5");
      ::SendMessageW(box, WM_COMMAND, IDOK, 0);
    }
    main.store().DeleteNote(dialog.id);
  });
  ::SendMessageW(*main.FindNoteWindow(dialog.id), WM_COMMAND, 32882, 0);  // "Custom..."
  test::Pump(200);

  ASSERT_EQ(main.noteWindows().size(), 1u);
  EXPECT_EQ(main.noteWindows()[0]->note().text, u"bystander");
  EXPECT_EQ(AllNotes().size(), 1u);
  EXPECT_TRUE(main.savedState().reopens.empty()) << "the deleted note is not to come back";
}

TEST_F(NoteLifetimes, NothingFiresWhileTheMainWindowEndsAndItFiresAtTheNextStart) {
  AddCategory(1, u"Unsorted");
  now_ = 1'800'000'000;
  CMainWnd& main = Start();
  // A moved note saves itself at exit, which queues it and so would run the alarm scan; another
  // note's time came before the scan timer could fire.
  const NOTE_PAD moved = Note(u"moved", 100, now_ + 600);
  auto* window = dynamic_cast<CNoteWnd*>(main.OpenNoteWindow(moved, kOpenRestore, 0));
  ASSERT_TRUE(window);
  window->SetPaperRect(RECT{300, 300, 460, 420});
  const NOTE_PAD due = Note(u"due", 600, now_ + 60);
  now_ += 120;
  ::DestroyWindow(main);
  EXPECT_TRUE(main.noteWindows().empty()) << "no window opened while the others closed";
  NOTE_PAD saved;
  ASSERT_EQ(store_->LoadNote(moved.id, saved), kFileOk);
  EXPECT_EQ(saved.rect.left, 300);

  main_.reset();
  EXPECT_NE(Start().FindNoteWindow(due.id), nullptr) << "the alarm held back at exit fires at the next start";
}

}  // namespace
}  // namespace zavra
