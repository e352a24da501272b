#pragma once
// Helpers of the designer's Windows tests: a scratch skins folder, files, the designer's main
// dialog under test, and a script that answers the modal dialogs it opens from a worker thread.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "WinTestUtil.h"
#include <commdlg.h>
#include "designer/DesignerDlg_win.h"
#include "framework/GdiPlus.h"
#include "framework/Handles.h"
#include "resources/ZavraNd_res.h"

namespace zavra::test {

inline void EnsureGdiplus() {
  static ULONG_PTR token = [] {
    ULONG_PTR t = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&t, &input, nullptr);
    return t;
  }();
  (void)token;
}

// A new, empty folder under the temporary folder (a fresh one per call), with a backslash.
inline std::wstring FreshFolder(const std::wstring& name) {
  static const std::wstring run = std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64());
  static int serial = 0;
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"zavra-designer-" + run + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  folder += std::to_wstring(++serial) + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  folder += name + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

inline void WriteFileBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  FileHandle f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD n = 0;
  ASSERT_TRUE(f && ::WriteFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr));
}

inline std::vector<uint8_t> ReadFileBytes(const std::wstring& path) {
  FileHandle f(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  std::vector<uint8_t> bytes;
  if (!f) return bytes;
  bytes.resize(::GetFileSize(f.get(), nullptr));
  DWORD n = 0;
  if (!bytes.empty()) ::ReadFile(f.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr);
  return bytes;
}

inline bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

inline std::wstring WindowText(HWND h) {
  wchar_t text[1024] = {};
  ::GetWindowTextW(h, text, 1024);
  return text;
}

// Answers the modal dialogs of this thread, one step each, from a worker thread: a step waits
// for the enabled dialog whose caption is `caption` (any when empty) and that has control
// `control` (0: any; kMessageText: a message box), then acts on it with sent or posted
// messages. The message box text of each step is kept in `texts`. A step that finds no dialog
// in time cancels whatever dialog is open, so that a failing test does not hang.
class ModalScript {
 public:
  struct Step {
    std::wstring caption;
    int control;  // 0: any
    std::function<void(HWND)> act;
  };
  explicit ModalScript(std::vector<Step> steps) : steps_(std::move(steps)), thread_(::GetCurrentThreadId()) {
    worker_ = std::thread([this] { Run(); });
  }
  ModalScript(const ModalScript&) = delete;
  ModalScript& operator=(const ModalScript&) = delete;
  ~ModalScript() {
    stop_ = true;
    // The worker may be sending to a window of this thread.
    PumpUntil([&] { return ended_.load(); }, 5000);
    worker_.join();
  }
  // Waits (pumping) until every step has run.
  bool Finish(int timeoutMs = 15000) {
    const bool all = PumpUntil([&] { return done_.load() == steps_.size(); }, timeoutMs);
    if (!all) {
      std::string seen;
      for (const std::wstring& t : texts) seen += " [" + std::string(t.begin(), t.end()) + "]";
      ADD_FAILURE() << "the dialog script stopped after " << done_ << " of " << steps_.size() << " steps;" << seen;
    }
    return all;
  }
  size_t done() const { return done_; }
  static constexpr int kMessageText = 0xFFFF;
  std::vector<std::wstring> texts;

  // Acts: put text into a control, tick a box, press a button.
  static std::function<void(HWND)> Press(int button) {
    return [button](HWND d) { ::PostMessageW(d, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); };
  }
  static std::function<void(HWND)> TypeAndPress(int edit, std::wstring text, int button, int box = 0,
                                                 bool ticked = true) {
    return [=](HWND d) {
      ::SendMessageW(::GetDlgItem(d, edit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      if (box) ::SendMessageW(::GetDlgItem(d, box), BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
      ::PostMessageW(d, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    };
  }
  // The file name box of the system's file dialogs.
  static std::function<void(HWND)> FileName(std::wstring path) {
    return [=](HWND d) {
      ::SendMessageW(d, CDM_SETCONTROLTEXT, 0x47C, reinterpret_cast<LPARAM>(path.c_str()));
      ::PostMessageW(d, WM_COMMAND, IDOK, 0);
    };
  }

 private:
  struct Search {
    const Step* step;
    HWND found;
  };
  static BOOL CALLBACK Visit(HWND h, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    wchar_t cls[16] = {};
    ::GetClassNameW(h, cls, 16);
    if (std::wstring(cls) != L"#32770" || !::IsWindowVisible(h) || !::IsWindowEnabled(h)) return TRUE;
    if (!s->step->caption.empty() && WindowText(h) != s->step->caption) return TRUE;
    if (s->step->control && !::GetDlgItem(h, s->step->control)) return TRUE;
    s->found = h;
    return FALSE;
  }
  void Run() {
    RunSteps();
    ended_ = true;
  }
  void RunSteps() {
    for (const Step& step : steps_) {
      Search search{&step, nullptr};
      for (int waited = 0; !stop_ && !search.found; waited += 50) {
        ::Sleep(50);
        ::EnumThreadWindows(thread_, Visit, reinterpret_cast<LPARAM>(&search));
        if (waited > 20000) {
          CancelAll();
          return;
        }
      }
      if (stop_) return;
      ::Sleep(100);  // let the dialog finish its start
      texts.push_back(WindowText(::GetDlgItem(search.found, 0xFFFF)));
      step.act(search.found);
      // Wait for the dialog to close or to give way to the next one.
      while (!stop_ && ::IsWindow(search.found) && ::IsWindowEnabled(search.found) && ::IsWindowVisible(search.found) &&
             &step != &steps_.back())
        ::Sleep(50);
      ++done_;
    }
  }

  static BOOL CALLBACK Cancel(HWND h, LPARAM) {
    wchar_t cls[16] = {};
    ::GetClassNameW(h, cls, 16);
    if (std::wstring(cls) == L"#32770" && ::IsWindowEnabled(h) && ::GetWindow(h, GW_OWNER))
      ::PostMessageW(h, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
  }
  void CancelAll() {
    for (int i = 0; i < 10; ++i) {
      ::EnumThreadWindows(thread_, Cancel, 0);
      ::Sleep(300);
    }
  }

  std::vector<Step> steps_;
  DWORD thread_;
  std::atomic<bool> stop_{false};
  std::atomic<size_t> done_{0};
  std::atomic<bool> ended_{false};
  std::thread worker_;
};

// The designer's main dialog, shown, on a scratch skins folder.
class DesignerTest : public testing::Test {
 protected:
  void SetUp() override {
    EnsureGdiplus();
    skins = FreshFolder(L"ZaVRA Skins");
    dlg = std::make_unique<CQelNoteDesignerDlg>(skins);
    ASSERT_TRUE(dlg->CreateModeless(nullptr));
    designer = *dlg;
    ::ShowWindow(designer, SW_SHOWNOACTIVATE);
  }
  void TearDown() override { dlg.reset(); }
  void Command(UINT id) { ::SendMessageW(designer, WM_COMMAND, id, 0); }
  HWND Item(int id) const { return ::GetDlgItem(designer, id); }
  std::vector<std::wstring> ListTexts() const {
    std::vector<std::wstring> texts;
    const int n = static_cast<int>(::SendMessageW(Item(IDC_LAYERS), LB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t text[300] = {};
      ::SendMessageW(Item(IDC_LAYERS), LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      texts.emplace_back(text);
    }
    return texts;
  }
  int Selected() const { return static_cast<int>(::SendMessageW(Item(IDC_LAYERS), LB_GETCURSEL, 0, 0)); }
  void SelectEntry(int index) {
    ::SendMessageW(Item(IDC_LAYERS), LB_SETCURSEL, index, 0);
    ::SendMessageW(designer, WM_COMMAND, MAKEWPARAM(IDC_LAYERS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(Item(IDC_LAYERS)));
  }
  // A control of the page that is shown.
  HWND PageItem(int id) const {
    for (HWND page = ::GetWindow(designer, GW_CHILD); page; page = ::GetWindow(page, GW_HWNDNEXT))
      if (::IsWindowVisible(page) && ::GetDlgItem(page, id)) return ::GetDlgItem(page, id);
    return nullptr;
  }
  std::wstring SkinFolder(const std::wstring& title) const { return skins + title + L"\\"; }

  std::wstring skins;
  std::unique_ptr<CQelNoteDesignerDlg> dlg;
  HWND designer = nullptr;
};

}  // namespace zavra::test
