// "Save Copy &As..." driven through the real save dialog: the file written is the note file
// byte for byte; cancelling writes nothing. Also the work area that imports are placed in.
#include <gtest/gtest.h>

#include "framework/Win.h"

#include <commdlg.h>
#include <dlgs.h>

#include <atomic>
#include <thread>

#include "store/NoteFile.h"
#include "store/PortableNote_win.h"
#include "tests/store/LinksWinTestSupport.h"

namespace zavra {
namespace {

// Drives the save dialog owned by `owner` from a worker thread, as a user would.
class DialogDriver {
 public:
  DialogDriver(HWND owner, std::wstring path) : owner_(owner), path_(std::move(path)) {
    thread_ = std::thread([this] { Run(); });
  }
  ~DialogDriver() { thread_.join(); }
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;
  // The name the dialog offered before it was changed.
  std::wstring offered;
  std::atomic<bool> found{false};

 private:
  HWND FindDialog() const {
    HWND dlg = nullptr;
    while ((dlg = ::FindWindowExW(nullptr, dlg, L"#32770", nullptr)))
      if (::GetWindow(dlg, GW_OWNER) == owner_ && ::IsWindowVisible(dlg)) return dlg;
    return nullptr;
  }
  // A dialog that is visible may not have finished starting up and can miss the first
  // command, so the answer is repeated until the dialog is gone.
  void Run() {
    for (int tries = 0; tries < 150; ++tries) {
      ::Sleep(200);
      HWND dlg = FindDialog();
      if (!dlg) {
        if (found) return;
        continue;
      }
      if (!found) {
        ::Sleep(300);
        wchar_t name[MAX_PATH] = {};
        CommDlg_OpenSave_GetSpec(dlg, name, MAX_PATH);
        offered = name;
        found = true;
      }
      if (path_.empty()) {
        ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
      } else {
        CommDlg_OpenSave_SetControlText(dlg, cmb13, path_.c_str());
        ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
      }
      ::Sleep(800);
    }
    // Never leave the test hanging in the dialog.
    if (HWND dlg = FindDialog()) ::PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
  }
  HWND owner_;
  std::wstring path_;
  std::thread thread_;
};

NOTE_PAD SampleNote() {
  NOTE_PAD n;
  n.id = 77;
  n.flags = kNoteScheduled | kNoteOnCalendar;
  n.category = 3;
  n.start = 1780000000;
  n.text = u"To do: call the office";
  n.link = u"note:5";
  n.sound = u"C:\\ding.wav";
  n.excludes = {DateKey(2026, 12, 25)};
  return n;
}

TEST(PortableNoteWin, SaveCopyAsWritesTheNoteFile) {
  test::HiddenWindow owner;
  ASSERT_TRUE(owner.get());
  test::WinTemp temp;
  const NOTE_PAD note = SampleNote();
  const std::wstring path = ToWide(temp.file(L"chosen.zpn"));
  bool saved = false;
  {
    DialogDriver driver(owner.get(), path);
    saved = SaveCopyAs(owner.get(), note);
    EXPECT_TRUE(driver.found) << "no save dialog owned by the window";
    EXPECT_EQ(ToU16(driver.offered), u"To do.zpn");
  }
  EXPECT_TRUE(saved);
  std::vector<uint8_t> expected;
  ASSERT_TRUE(SerializeNote(note, expected));
  EXPECT_EQ(temp.Read(L"chosen.zpn"), expected);
  EXPECT_EQ(temp.Count(), 1u) << "no work file left behind";
}

TEST(PortableNoteWin, CancelWritesNothing) {
  test::HiddenWindow owner;
  ASSERT_TRUE(owner.get());
  test::WinTemp temp;
  bool saved = true;
  {
    DialogDriver driver(owner.get(), L"");
    saved = SaveCopyAs(owner.get(), SampleNote());
    EXPECT_TRUE(driver.found);
  }
  EXPECT_FALSE(saved);
  EXPECT_EQ(temp.Count(), 0u);
  EXPECT_EQ(::CommDlgExtendedError(), 0u) << "a cancel, not a dialog failure";
}

TEST(PortableNoteWin, PlacementUsesThePrimaryWorkArea) {
  const RECT32 area = PrimaryWorkArea();
  ASSERT_GT(area.right - area.left, 0);
  ASSERT_GT(area.bottom - area.top, 0);
  const NotePlacement p = DefaultPlacement(124, 73, (area.left + area.right) / 2, (area.top + area.bottom) / 2);
  for (int i = 0; i < 50; ++i) {
    const RECT32 r = PlaceNewNote(p);
    EXPECT_EQ(r.right - r.left, 124);
    EXPECT_EQ(r.bottom - r.top, 73);
    EXPECT_TRUE(r.left >= area.left && r.right <= area.right && r.top >= area.top && r.bottom <= area.bottom);
  }
}

}  // namespace
}  // namespace zavra
