// The shortcut wizard's dialog in-process, against private folders and a private settings key.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "framework/Text.h"
#include "resources/ZavraSwiz_res.h"
#include "store/CategoryFile.h"
#include "store/StoreWin.h"
#include "wizard/ShellLink_win.h"
#include "wizard/ZavraSwizDlg_win.h"
#include <deque>
#include <shlwapi.h>

namespace zavra::test {
namespace {

constexpr WORD kCtrlAlt = (HOTKEYF_CONTROL | HOTKEYF_ALT) << 8;

// Answers the dialog's message boxes in order from a thread timer, which runs inside each
// box's modal loop, and keeps what each box said.
std::deque<int> answers;
std::vector<std::wstring> said;
HWND owner = nullptr;
void CALLBACK AnswerBox(HWND, UINT, UINT_PTR timer, DWORD) {
  for (HWND box = nullptr; (box = ::FindWindowExW(nullptr, box, L"#32770", nullptr));) {
    if (box == owner || ::GetWindow(box, GW_OWNER) != owner || !::IsWindowVisible(box)) continue;
    wchar_t text[512] = {};
    ::GetDlgItemTextW(box, 0xFFFF, text, 512);
    said.push_back(text);
    ::PostMessageW(box, WM_COMMAND, answers.empty() ? IDCANCEL : answers.front(), 0);
    if (!answers.empty()) answers.pop_front();
    if (answers.empty()) ::KillTimer(nullptr, timer);
    return;
  }
}

class WizardDialogTest : public testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"zavra-wizard-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    for (const wchar_t* sub : {L"", L"data", L"group", L"desktop", L"inst"})
      ::CreateDirectoryW((root_ + sub).c_str(), nullptr);
    FileHandle(::CreateFileW((root_ + L"inst\\ZavraL.exe").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0,
                             nullptr));
    env_ = {root_ + L"data\\", root_ + L"group", root_ + L"desktop", L"", HKEY_CURRENT_USER,
            L"SOFTWARE\\ZavraTests\\wizard-" + std::to_wstring(::GetCurrentProcessId())};
    const std::wstring inst = root_ + L"inst";
    ::RegSetKeyValueW(HKEY_CURRENT_USER, env_.settingsKey.c_str(), nullptr, REG_SZ, inst.c_str(),
                      static_cast<DWORD>((inst.size() + 1) * sizeof(wchar_t)));
  }
  void TearDown() override {
    if (dialog_ && ::IsWindow(*dialog_)) ::DestroyWindow(*dialog_);
    ::RegDeleteTreeW(HKEY_CURRENT_USER, env_.settingsKey.c_str());
    const std::wstring from = root_.substr(0, root_.size() - 1) + L'\0';
    SHFILEOPSTRUCTW op{nullptr, FO_DELETE, from.c_str(), nullptr, FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI};
    ::SHFileOperationW(&op);
  }
  // Hidden unless a test looks at it: Wine takes seconds to take a shown window down.
  HWND Open(bool show = false) {
    dialog_ = std::make_unique<CZavraSwizDlg>(env_);
    EXPECT_TRUE(dialog_->CreateModeless(nullptr));
    if (show) ::ShowWindow(*dialog_, SW_SHOW);
    return *dialog_;
  }
  void Choose(int control, int row) {
    ::SendDlgItemMessageW(*dialog_, control, CB_SETCURSEL, row, 0);
    ::SendMessageW(*dialog_, WM_COMMAND, MAKEWPARAM(control, CBN_SELCHANGE), 0);
  }
  std::wstring Name() {
    wchar_t text[256] = {};
    return std::wstring(text, ::GetDlgItemTextW(*dialog_, IDC_SWIZ_NAME, text, 256));
  }
  // Presses "Create", giving these answers; returns what the boxes said.
  std::vector<std::wstring> Create(std::initializer_list<int> buttons) {
    owner = *dialog_;
    answers.assign(buttons);
    said.clear();
    ::SetTimer(nullptr, 0, 50, AnswerBox);
    ::SendMessageW(*dialog_, WM_COMMAND, IDOK, 0);
    return said;
  }

  std::wstring root_;
  WizardEnvironment env_;
  std::unique_ptr<CZavraSwizDlg> dialog_;
  ComInit com_;
};

TEST_F(WizardDialogTest, CreatedShortcutReloadsWithEverythingSet) {
  NOTE_CATE work;
  work.name = u"Work";
  std::vector<uint8_t> bytes;
  SerializeCategory(work, bytes);
  auto file = Win32FileSystem().Create(ToU16(env_.dataFolder + L"10002.qcf"), CreateMode::kAlways, nullptr);
  ASSERT_TRUE(file->Write(bytes.data(), bytes.size()) && file->Commit());
  HWND dlg = Open(true);
  EXPECT_EQ(Name(), L"Quick Paste - Unsorted");
  Choose(IDC_SWIZ_ACTION, 2);
  Choose(IDC_SWIZ_CATEGORY, 1);  // Unsorted, Work
  EXPECT_EQ(Name(), L"New Note - Work");
  // A plain letter would fire while typing: the control makes it Ctrl+Alt+W.
  HWND hotKey = ::GetDlgItem(dlg, IDC_SWIZ_HOTKEY);
  ::SetFocus(hotKey);
  ::SendMessageW(hotKey, WM_KEYDOWN, 'W', 0x00110001);
  ::SendMessageW(hotKey, WM_KEYUP, 'W', 0xC0110001);
  Pump(300);
  EXPECT_TRUE(SaveScreenshot(ScreenshotPath(L"wizard.png")));

  EXPECT_EQ(Create({IDOK}), std::vector<std::wstring>{L"\"New Note - Work\" successfully created."});
  EXPECT_FALSE(::IsWindow(dlg));
  const ShellLinkData expected{root_ + L"inst\\ZavraL.exe", L"/n10002", root_ + L"inst", kCtrlAlt | 'W'};
  EXPECT_EQ(LoadShellLink(root_ + L"group\\New Note - Work.lnk"), expected);
}

TEST_F(WizardDialogTest, MissingProgramGroupFailsAndTheDialogStays) {
  ::RemoveDirectoryW(env_.programGroup.c_str());
  HWND dlg = Open();
  Choose(IDC_SWIZ_ACTION, 4);
  EXPECT_EQ(Name(), L"Open Calendar");
  EXPECT_EQ(Create({IDOK}), std::vector<std::wstring>{L"Creation failed."});
  EXPECT_TRUE(::IsWindow(dlg));
  EXPECT_EQ(Name(), L"Open Calendar");
  EXPECT_TRUE(::PathIsDirectoryEmptyW(env_.dataFolder.c_str())) << "no \"Unsorted\" may be written";
}

TEST_F(WizardDialogTest, AsksBeforeReplacingAShortcutOrTakingAHotKeyInUse) {
  ASSERT_HRESULT_SUCCEEDED(SaveShellLink(root_ + L"desktop\\My.lnk", {L"C:\\x.exe", L"/old", L"", kCtrlAlt | 'K'}));
  HWND dlg = Open();
  Choose(IDC_SWIZ_LOCATION, 1);
  ::SetDlgItemTextW(dlg, IDC_SWIZ_NAME, L"  My.Notes...");
  auto answers = Create({IDNO});
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_NE(answers[0].find(L"\"My\" already exists"), std::wstring::npos) << answers[0];
  EXPECT_EQ(LoadShellLink(root_ + L"desktop\\My.lnk")->arguments, L"/old");

  ::SetDlgItemTextW(dlg, IDC_SWIZ_NAME, L"Mine");
  ::SendDlgItemMessageW(dlg, IDC_SWIZ_HOTKEY, HKM_SETHOTKEY, kCtrlAlt | 'K', 0);
  answers = Create({IDNO});
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_NE(answers[0].find(L"\"My\"."), std::wstring::npos) << answers[0];
  EXPECT_FALSE(::PathFileExistsW((root_ + L"desktop\\Mine.lnk").c_str()));

  ASSERT_TRUE(::RegisterHotKey(nullptr, 0x4242, MOD_CONTROL | MOD_ALT, 'J'));  // as another program would
  ::SendDlgItemMessageW(dlg, IDC_SWIZ_HOTKEY, HKM_SETHOTKEY, kCtrlAlt | 'J', 0);
  ::SetDlgItemTextW(dlg, IDC_SWIZ_NAME, L"  My.Notes...");
  answers = Create({IDYES, IDYES, IDOK});
  ::UnregisterHotKey(nullptr, 0x4242);
  ASSERT_EQ(answers.size(), 3u);
  EXPECT_NE(answers[1].find(L"another program"), std::wstring::npos) << answers[1];
  EXPECT_EQ(answers[2], L"\"  My.Notes...\" successfully created.");
  EXPECT_EQ(LoadShellLink(root_ + L"desktop\\My.lnk")->hotKey, kCtrlAlt | 'J');
}

}  // namespace
}  // namespace zavra::test
