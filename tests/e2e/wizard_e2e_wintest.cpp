// The real wizard makes a shortcut; started through the shell, it reaches the resident program.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "resources/ZavraSwiz_res.h"
#include "store/StoreWin.h"
#include <shlobj.h>

namespace zavra::test {
namespace {

// A visible top-level window of `process` with that class, other than `except`.
HWND WindowOf(const Process& process, const wchar_t* title, HWND except = nullptr) {
  for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"#32770", title));) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(w, &owner);
    if (owner == process.id() && w != except && ::IsWindowVisible(w)) return w;
  }
  return nullptr;
}

TEST(WizardEndToEnd, ShortcutStartedThroughTheShellMakesANoteInItsCategory) {
  StartFromUnsortedOnly();  // no install folder registered: the launcher beside the wizard serves
  Win32FileSystem files;
  Win32Registry registry;
  NoteStore store(files, registry, ToU16(DataDir()));
  NOTE_CATE five;
  five.id = 5;
  five.name = u"Five";
  ASSERT_TRUE(store.SaveCategory(five, false));
  wchar_t programs[MAX_PATH] = {};
  ::SHGetFolderPathW(nullptr, CSIDL_PROGRAMS | CSIDL_FLAG_CREATE, nullptr, 0, programs);
  const std::wstring group = std::wstring(programs) + L"\\Note Zavra", shortcut = group + L"\\New in Five.lnk";
  ::CreateDirectoryW(group.c_str(), nullptr);

  Process wizard = Process::Start(BinDir() + L"ZavraSwiz.exe", L""), main;
  struct Cleanup {
    Process& wizard;
    std::wstring group, shortcut;
    ~Cleanup() {
      wizard.Kill();
      StopResidentCopy();
      ::DeleteFileW(shortcut.c_str());
      ::RemoveDirectoryW(group.c_str());
    }
  } cleanup{wizard, group, shortcut};
  HWND dlg = nullptr, box = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (dlg = WindowOf(wizard, L"Shortcut Wizard")); }, 10000));
  const LRESULT row = ::SendDlgItemMessageW(dlg, IDC_SWIZ_CATEGORY, CB_FINDSTRINGEXACT, 0, (LPARAM)L"Five");
  ::SendDlgItemMessageW(dlg, IDC_SWIZ_CATEGORY, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  ::SendDlgItemMessageW(dlg, IDC_SWIZ_ACTION, CB_SETCURSEL, 2, 0);
  ::SendDlgItemMessageW(dlg, IDC_SWIZ_NAME, WM_SETTEXT, 0, (LPARAM)L"New in Five");
  ::PostMessageW(dlg, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(PumpUntil([&] { return (box = WindowOf(wizard, nullptr, dlg)); }, 10000));
  ::PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(wizard.Wait(10000), 0);

  main = Process::Start(BinDir() + L"notezavra.exe", L"");
  ASSERT_TRUE(WaitForMainWindow());
  EXPECT_GT((INT_PTR)::ShellExecuteW(nullptr, L"open", shortcut.c_str(), nullptr, nullptr, SW_SHOWNORMAL), 32);
  std::vector<NOTE_PAD> notes;
  PumpUntil([&] {
    store.ScanNotes(NoteFilter{}, [&](const NOTE_PAD& n) { notes.push_back(n); });
    return !notes.empty();
  }, 10000);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].category, 5u);
}

}  // namespace
}  // namespace zavra::test
