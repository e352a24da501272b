#pragma once
// Shared by the Windows tests of clipboard, links and portable notes: a private temporary
// folder, a hidden window to own clipboard and dialogs, and file helpers.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/Win.h"
#include "framework/Text.h"

namespace zavra::test {

class WinTemp {
 public:
  WinTemp() {
    static int counter = 0;
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    path_ = std::filesystem::path(temp) /
            (L"zavra-links-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++));
    std::filesystem::create_directories(path_);
  }
  WinTemp(const WinTemp&) = delete;
  WinTemp& operator=(const WinTemp&) = delete;
  ~WinTemp() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  std::u16string folder() const { return ToU16(path_.wstring()) + u"\\"; }
  std::u16string file(const std::wstring& name) const { return ToU16((path_ / name).wstring()); }
  void Write(const std::wstring& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::vector<uint8_t> Read(const std::wstring& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
  }
  bool Exists(const std::wstring& name) const { return std::filesystem::exists(path_ / name); }
  size_t Count() const {
    size_t n = 0;
    for (auto it = std::filesystem::directory_iterator(path_); it != std::filesystem::directory_iterator(); ++it) ++n;
    return n;
  }

 private:
  std::filesystem::path path_;
};

// A hidden top-level window: the clipboard wants an owner, the save dialog a parent.
class HiddenWindow {
 public:
  HiddenWindow()
      : hwnd_(::CreateWindowExW(0, L"STATIC", L"zavra test owner", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                ::GetModuleHandleW(nullptr), nullptr)) {}
  HiddenWindow(const HiddenWindow&) = delete;
  HiddenWindow& operator=(const HiddenWindow&) = delete;
  ~HiddenWindow() {
    if (hwnd_) ::DestroyWindow(hwnd_);
  }
  HWND get() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// The folder of this test program (build/bin), from which the other programs are found.
inline std::wstring ProgramFolder() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  return std::filesystem::path(self).parent_path().wstring();
}

}  // namespace zavra::test
