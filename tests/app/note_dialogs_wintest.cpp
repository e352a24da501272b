// The main window runs the note dialogs: a new note made with the dialog, and dialogs that end
// as Cancel when their note is deleted or the program ends under them.
#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "app/MenuModel.h"
#include "notewnd/NoteWnd_win.h"
#include "resources/notezavra_res.h"
#include "schedule/DialogDriver.h"
#include "schedule/LocalTime.h"

namespace zavra {
namespace {

using test::DialogScript;
using test::FindDialog;

constexpr UINT kCmdEditNote = 32777;
constexpr UINT kCmdSkin = 32886;

class NoteDialogs : public test::MainWindowFixture {
 protected:
  HWND OpenWindow(CMainWnd& main, uint32_t id) {
    NOTE_PAD note;
    EXPECT_EQ(store_->LoadNote(id, note), 0);
    CWnd* w = main.OpenNoteWindow(note, kOpenRestore, 0);
    return w ? w->GetSafeHwnd() : nullptr;
  }
};

TEST_F(NoteDialogs, NewNoteMadeWithTheDialogIsOnTheDesktopAndOnDisk) {
  AddCategory(1, u"Unsorted");
  AddCategory(5, u"Five");
  CMainWnd& main = Start();
  const int64_t presetDay = Now() + 20 * 86400;
  DialogScript script({[&] {
    HWND dlg = FindDialog(L"New Note");
    if (!dlg) return false;
    test::Type(dlg, IDC_NOTE_TEXT, L"Buy milk");
    test::Click(dlg, IDOK);
    return true;
  }});
  const uint32_t id = main.NewNoteWithDialog(5, true, presetDay, nullptr);
  ASSERT_NE(id, 0u);
  CNoteWnd* window = main.FindNoteWindow(id);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(::IsWindowVisible(*window));
  NOTE_PAD saved;
  ASSERT_EQ(store_->LoadNote(id, saved), 0);
  EXPECT_EQ(saved.text, u"Buy milk");
  EXPECT_EQ(saved.category, 5);
  EXPECT_EQ(saved.flags & (kNoteScheduled | kNoteOnCalendar), kNoteScheduled | kNoteOnCalendar);
  EXPECT_EQ(MachineLocalTime().FieldsOf(saved.start).dayNumber, MachineLocalTime().FieldsOf(presetDay).dayNumber);
  EXPECT_EQ(saved.timeFrom % 3600, 0) << "a full hour";

  main.PreviewSound(L"");
  EXPECT_EQ(main.lastSound(), test::BinDir() + L"snd\\clock.wav");
}

TEST_F(NoteDialogs, DeletingTheNoteEndsItsDialogAsCancel) {
  AddCategory(1, u"Unsorted");
  CMainWnd& main = Start();
  for (const auto& [command, caption] : {std::pair{kCmdEditNote, L"Edit Note"}, std::pair{kCmdSkin, L"Skin"}}) {
    const uint32_t id = AddNote(u"Deleted while its dialog is up", 1);
    const HWND window = OpenWindow(main, id);
    ASSERT_TRUE(window);
    DialogScript script({[&, caption = caption] {
      if (!FindDialog(caption, window)) return false;
      main.store().DeleteNote(id);  // as the pad would
      return true;
    }});
    // Returns once the dialog has ended; the window that asked for it is gone by then.
    ::SendMessageW(window, WM_COMMAND, command, 0);
    EXPECT_TRUE(script.finished());
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(FindDialog(caption), nullptr);
    NOTE_PAD gone;
    EXPECT_NE(store_->LoadNote(id, gone), 0) << "a cancelled dialog saves nothing";
  }
}

TEST_F(NoteDialogs, ExitEndsTheNestedDialogsFirst) {
  AddCategory(1, u"Unsorted");
  CMainWnd& main = Start();
  const HWND mainWindow = main;
  const uint32_t id = AddNote(u"Keep me", 1);
  const HWND window = OpenWindow(main, id);
  ASSERT_TRUE(window);
  DialogScript script({[&] {
                         HWND dlg = FindDialog(L"Edit Note", window);
                         if (!dlg) return false;
                         test::Type(dlg, IDC_NOTE_TEXT, L" changed");
                         test::PostClick(dlg, IDC_RECUR_SETTINGS);
                         return true;
                       },
                       [&] {
                         if (!FindDialog(L"Recurrence")) return false;
                         ::SendMessageW(mainWindow, WM_COMMAND, kCmdExit, 0);
                         return true;
                       }});
  ::SendMessageW(window, WM_COMMAND, kCmdEditNote, 0);
  EXPECT_TRUE(script.finished());
  EXPECT_EQ(FindDialog(L"Recurrence"), nullptr);
  EXPECT_TRUE(test::PumpUntil([&] { return !::IsWindow(mainWindow); })) << "the program ends after its dialogs";
  NOTE_PAD kept;
  ASSERT_EQ(store_->LoadNote(id, kept), 0);
  EXPECT_EQ(kept.text, u"Keep me");
}

}  // namespace
}  // namespace zavra
