// The preferences sheet driven through its controls from inside its own modal loop.
#include <gtest/gtest.h>
#include "MainWindowFixture.h"
#include "WinTestUtil.h"
#include "notewnd/NoteWnd_win.h"
#include "prefs/PreferencesSheet_win.h"
#include "prefs/PropCatePage_win.h"
#include "resources/notezavra_res.h"
#include <atomic>
#include <functional>
#include <thread>

namespace zavra {
namespace {

// Runs `script` on the user-interface thread once the sheet is up (a thread timer fires
// inside the sheet's modal loop).
std::function<void(HWND)> g_script;
CMainWnd* g_main = nullptr;

void CALLBACK RunScript(HWND, UINT, UINT_PTR id, DWORD) {
  CPreferencesSheet* sheet = g_main ? g_main->preferences() : nullptr;
  if (!sheet || !sheet->window() || !::IsWindowVisible(sheet->window())) return;
  ::KillTimer(nullptr, id);
  auto script = std::move(g_script);
  g_script = nullptr;
  if (script) script(sheet->window());
}

// A message box or dialog of this process whose text contains `text`: its text, after it was
// closed with `button`.
std::wstring AnswerBox(const std::wstring& needle, int button, int timeoutMs = 10000) {
  for (int waited = 0; waited < timeoutMs; waited += 50) {
    ::Sleep(50);
    HWND d = nullptr;
    while ((d = ::FindWindowExW(nullptr, d, L"#32770", nullptr))) {
      DWORD pid = 0;
      ::GetWindowThreadProcessId(d, &pid);
      if (pid != ::GetCurrentProcessId() || !::IsWindowVisible(d)) continue;
      wchar_t text[512] = {};
      ::GetDlgItemTextW(d, 0xFFFF, text, 512);  // a message box's text
      if (std::wstring(text).find(needle) == std::wstring::npos) continue;
      ::PostMessageW(d, WM_COMMAND, button, 0);
      return text;
    }
  }
  return {};
}

class Preferences : public test::MainWindowFixture {
 protected:
  void TearDown() override {
    g_main = nullptr;
    g_script = nullptr;
    MainWindowFixture::TearDown();
  }
  void Run(CMainWnd& main, int page, std::function<void(HWND)> script) {
    g_main = &main;
    g_script = std::move(script);
    ::SetTimer(nullptr, 0, 100, RunScript);
    main.OpenPreferences(page, nullptr);
  }
};

TEST_F(Preferences, ApplyWritesOpacityAndACategoryColourAndNotesFollow) {
  AddCategory(1, u"Unsorted", 1);
  AddCategory(10001, u"Work", 2);
  const uint32_t id = AddNote(u"Ring the bank", 10001);
  CMainWnd& main = Start();
  main.OpenNoteById(id);
  ASSERT_NE(main.FindNoteWindow(id), nullptr);

  std::thread colour;
  Run(main, 0, [&](HWND sheet) {
    HWND note = PropSheet_GetCurrentPageHwnd(sheet);
    ::SetDlgItemTextW(note, IDC_PN_OPACITY, L"128");
    // The category page, on "Work", and its paper colour through the colour dialog.
    PropSheet_SetCurSel(sheet, nullptr, 1);
    HWND cate = PropSheet_GetCurrentPageHwnd(sheet);
    HWND names = ::GetDlgItem(cate, IDC_PC_NAME);
    const int work = static_cast<int>(::SendMessageW(names, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                     reinterpret_cast<LPARAM>(L"Work")));
    ::SendMessageW(names, CB_SETCURSEL, static_cast<WPARAM>(work), 0);
    ::SendMessageW(cate, WM_COMMAND, MAKEWPARAM(IDC_PC_NAME, CBN_SELCHANGE), reinterpret_cast<LPARAM>(names));
    colour = std::thread([] {
      for (int i = 0; i < 200; ++i) {
        ::Sleep(50);
        HWND d = nullptr;
        while ((d = ::FindWindowExW(nullptr, d, L"#32770", nullptr)))
          if (::GetDlgItem(d, 706) && ::IsWindowVisible(d)) break;
        if (!d) continue;
        ::SetDlgItemTextW(d, 706, L"10");   // red
        ::SetDlgItemTextW(d, 707, L"200");  // green
        ::SetDlgItemTextW(d, 708, L"30");   // blue
        ::PostMessageW(d, WM_COMMAND, IDOK, 0);
        return;
      }
    });
    ::SendMessageW(cate, WM_COMMAND, MAKEWPARAM(IDC_PC_PAPER_COLOR, BN_CLICKED), 0);
    PropSheet_Apply(sheet);
    PropSheet_PressButton(sheet, PSBTN_OK);
  });
  colour.join();

  EXPECT_EQ(registry_->OpenSettingsKey()->GetDword(u"NoteOpacity"), 128u);
  EXPECT_EQ(main.settings().noteOpacity, 128u);
  EXPECT_EQ(store_->LoadCategory(10001).paperColor, 0x001EC80Au);
  // The open note takes its category's new paper (varied per note) once it hears of the change.
  NOTE_PAD note;
  ASSERT_EQ(store_->LoadNote(id, note), kFileOk);
  const COLORREF paper = EffectivePaperColor(store_->LoadCategory(10001), note);
  test::PumpUntil([&] { return main.FindNoteWindow(id)->note().paperColor == paper; });
  EXPECT_EQ(main.FindNoteWindow(id)->note().paperColor, paper);
}

TEST_F(Preferences, NumberOutOfRangeKeepsThePageWithTheFrameworksMessage) {
  AddCategory(1, u"Unsorted", 1);
  CMainWnd& main = Start();
  std::wstring message;
  bool stayed = false;
  Run(main, 0, [&](HWND sheet) {
    HWND note = PropSheet_GetCurrentPageHwnd(sheet);
    ::SetDlgItemTextW(note, IDC_PN_OPACITY, L"0");
    std::thread answer([&] { message = AnswerBox(L"Enter an integer", IDOK); });
    PropSheet_SetCurSel(sheet, nullptr, 4);
    answer.join();
    stayed = PropSheet_GetCurrentPageHwnd(sheet) == note;
    ::SetDlgItemTextW(note, IDC_PN_OPACITY, L"200");
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(message, L"Enter an integer between 1 and 255.");
  EXPECT_TRUE(stayed);
  EXPECT_FALSE(registry_->OpenSettingsKey()->GetDword(u"NoteOpacity").has_value()) << "cancelled: nothing written";
}

TEST_F(Preferences, ExitWhileTheSheetIsOpenEndsBoth) {
  AddCategory(1, u"Unsorted", 1);
  CMainWnd& main = Start();
  const HWND mainWindow = main.GetSafeHwnd();
  Run(main, 5, [&](HWND) { ::SendMessageW(mainWindow, WM_COMMAND, kCmdExit, 0); });
  test::PumpUntil([&] { return !::IsWindow(mainWindow); });
  EXPECT_FALSE(::IsWindow(mainWindow));
  EXPECT_EQ(main.preferences(), nullptr);
}

TEST_F(Preferences, SecondOpenRaisesTheFirst) {
  AddCategory(1, u"Unsorted", 1);
  CMainWnd& main = Start();
  int sheets = 0;
  Run(main, 0, [&](HWND sheet) {
    main.OpenPreferences(1, nullptr);  // returns at once: the sheet is up
    HWND d = nullptr;
    while ((d = ::FindWindowExW(nullptr, d, L"#32770", nullptr)))
      if (::GetWindow(d, GW_OWNER) == nullptr && ::IsWindowVisible(d) && ::GetDlgItem(d, IDOK)) ++sheets;
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(sheets, 1);
}

TEST_F(Preferences, ScreenshotsOfEveryPage) {
  AddCategory(1, u"Unsorted", 1);
  AddCategory(10001, u"Work", 2);
  CMainWnd& main = Start();
  int pages = 0, saved = 0;
  Run(main, 0, [&](HWND sheet) {
    HWND tabs = PropSheet_GetTabControl(sheet);
    pages = TabCtrl_GetItemCount(tabs);
    for (int i = 0; i < pages; ++i) {
      wchar_t title[64] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = title;
      item.cchTextMax = 64;
      TabCtrl_GetItem(tabs, i, &item);
      std::wstring name = L"prefs_" + std::wstring(title);
      if (!name.empty() && name.back() == L'.') name.pop_back();
      PropSheet_SetCurSel(sheet, nullptr, i);
      test::Pump(400);
      if (test::SaveScreenshot(test::ScreenshotPath(name + L".png"))) ++saved;
    }
    PropSheet_PressButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_GE(pages, 5);
  EXPECT_EQ(saved, pages);
}

}  // namespace
}  // namespace zavra
