#pragma once
// Helpers of the designer's Windows tests: scratch folders and files, the main dialog under
// test, and a script that answers the modal dialogs it opens from a worker thread.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

#include "WinTestUtil.h"
#include <commdlg.h>
#include "designer/DesignerDlg_win.h"
#include "resources/ZavraNd_res.h"

namespace zavra::test {

// A new, empty folder under the temporary folder, with a backslash.
inline std::wstring FreshFolder(const std::wstring& name) {
  static const std::wstring run = std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(::GetTickCount64());
  static int serial = 0;
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"zavra-designer-" + run + L"-" + std::to_wstring(++serial) + L"\\";
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
  std::vector<uint8_t> bytes(f ? ::GetFileSize(f.get(), nullptr) : 0);
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

// A 24-bit BMP, `left` colour on the left half and `right` on the right.
inline std::vector<uint8_t> TwoColourBmp(int w, int h, COLORREF left, COLORREF right) {
  const uint32_t row = (w * 3 + 3) & ~3, size = 54 + row * h, header[] = {size, 0, 54, 40, uint32_t(w), uint32_t(h), 0x180001};
  std::vector<uint8_t> b(size, 0);
  for (size_t i = 0; i < 28; ++i) b[2 + i] = static_cast<uint8_t>(header[i / 4] >> (8 * (i % 4)));
  b[0] = 'B', b[1] = 'M';
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = x < w / 2 ? left : right;
      uint8_t* p = &b[54 + y * row + x * 3];
      p[0] = GetBValue(c), p[1] = GetGValue(c), p[2] = GetRValue(c);
    }
  return b;
}

// Answers the modal dialogs of this thread from a worker thread, one step each: a step waits
// for the enabled dialog with caption `caption` (any when empty) that has control `control`
// (kMessageText: a message box), keeps its message text in `texts` and acts on it. A step
// that finds nothing in time cancels the open dialogs, so that a failing test cannot hang.
class ModalScript {
 public:
  static constexpr int kMessageText = 0xFFFF;
  struct Step {
    std::wstring caption;
    int control;
    std::function<void(HWND)> act;
  };
  explicit ModalScript(std::vector<Step> steps) : steps_(std::move(steps)), thread_(::GetCurrentThreadId()) {
    worker_ = std::thread([this] {
      Run();
      ended_ = true;
    });
  }
  ~ModalScript() {
    stop_ = true;
    PumpUntil([&] { return ended_.load(); }, 5000);  // it may be sending to our windows
    worker_.join();
  }
  bool Finish() {
    if (PumpUntil([&] { return done_.load() == steps_.size(); }, 15000)) return true;
    ADD_FAILURE() << "the dialog script stopped after " << done_ << " of " << steps_.size() << " steps";
    return false;
  }
  std::vector<std::wstring> texts;

  static std::function<void(HWND)> Press(int button) {
    return [button](HWND d) { ::PostMessageW(d, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0); };
  }
  static std::function<void(HWND)> Type(int edit, std::wstring text, int button, int box = 0, bool ticked = true) {
    return [=](HWND d) {
      ::SendDlgItemMessageW(d, edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
      if (box) ::SendDlgItemMessageW(d, box, BM_SETCHECK, ticked ? BST_CHECKED : BST_UNCHECKED, 0);
      Press(button)(d);
    };
  }
  // The file name of the system's file dialogs.
  static std::function<void(HWND)> FileName(std::wstring path) {
    return [=](HWND d) {
      ::SendMessageW(d, CDM_SETCONTROLTEXT, 0x47C, reinterpret_cast<LPARAM>(path.c_str()));
      Press(IDOK)(d);
    };
  }

 private:
  std::vector<HWND> Dialogs() const {
    std::vector<HWND> found;
    ::EnumThreadWindows(thread_, [](HWND h, LPARAM lp) -> BOOL {
      wchar_t cls[16] = {};
      ::GetClassNameW(h, cls, 16);
      if (std::wstring(cls) == L"#32770" && ::IsWindowVisible(h) && ::IsWindowEnabled(h) && ::GetWindow(h, GW_OWNER))
        reinterpret_cast<std::vector<HWND>*>(lp)->push_back(h);
      return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
  }
  void Run() {
    for (const Step& step : steps_) {
      HWND found = nullptr;
      for (int waited = 0; !found; waited += 50) {
        if (stop_) return;
        if (waited > 20000) {
          for (int i = 0; i < 10; ++i, ::Sleep(300))
            for (HWND d : Dialogs()) ::PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
          return;
        }
        ::Sleep(50);
        for (HWND d : Dialogs())
          if ((step.caption.empty() || WindowText(d) == step.caption) && ::GetDlgItem(d, step.control)) found = d;
      }
      ::Sleep(100);  // let the dialog finish its start
      texts.push_back(WindowText(::GetDlgItem(found, kMessageText)));
      step.act(found);
      // Until it closes or gives way to the next one.
      while (&step != &steps_.back() && !stop_ && ::IsWindowEnabled(found) && ::IsWindowVisible(found)) ::Sleep(50);
      ++done_;
    }
  }

  std::vector<Step> steps_;
  DWORD thread_;
  std::atomic<bool> stop_{false}, ended_{false};
  std::atomic<size_t> done_{0};
  std::thread worker_;
};

// The designer's main dialog, shown, on a scratch skins folder.
class DesignerTest : public testing::Test {
 protected:
  void SetUp() override {
    static const bool gdiplus = [] {
      ULONG_PTR token = 0;
      Gdiplus::GdiplusStartupInput input;
      return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    ASSERT_TRUE(gdiplus);
    skins = FreshFolder(L"ZaVRA Skins");
    dlg = std::make_unique<CQelNoteDesignerDlg>(skins);
    ASSERT_TRUE(dlg->CreateModeless(nullptr));
    designer = *dlg;
    ::ShowWindow(designer, SW_SHOWNOACTIVATE);
  }
  void Command(UINT id) { ::SendMessageW(designer, WM_COMMAND, id, 0); }
  std::vector<std::wstring> ListTexts() const {
    std::vector<std::wstring> texts;
    HWND list = ::GetDlgItem(designer, IDC_LAYERS);
    for (int i = 0, n = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); i < n; ++i) {
      wchar_t text[300] = {};
      ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
      texts.emplace_back(text);
    }
    return texts;
  }
  void SelectEntry(int index) {
    HWND list = ::GetDlgItem(designer, IDC_LAYERS);
    ::SendMessageW(list, LB_SETCURSEL, index, 0);
    ::SendMessageW(designer, WM_COMMAND, MAKEWPARAM(IDC_LAYERS, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
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

inline SLAYER PictureLayer(const std::wstring& name, int32_t flags = 0, int32_t anchor = kAnchorTopLeft) {
  SLAYER layer = MakeLayer(kLayerImage);
  layer.u.image.flags = flags;
  layer.u.image.anchor = anchor;
  SetLayerText(layer.u.image.picture, std::u16string(name.begin(), name.end()));
  return layer;
}

}  // namespace zavra::test
