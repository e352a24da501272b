#pragma once
// A private feed store folder for the Windows feed tests, and an answer for the next message
// box of this thread.
#include "app/MainWindowFixture.h"
#include "framework/Text.h"
#include <string>

namespace zavra::test {

struct TempFeedFolder {
  explicit TempFeedFolder(const wchar_t* name) {
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    path = std::wstring(temp) + name + std::to_wstring(::GetCurrentProcessId()) + L"\\";
    RemoveTree(path);
  }
  ~TempFeedFolder() { RemoveTree(path); }
  std::u16string folder() const { return ToU16(path); }
  std::wstring path;
};

// From inside the box's own loop: keeps the box's text and presses `answer`.
inline std::wstring boxText;
inline UINT boxAnswer = 0;
inline void AnswerNextMessageBox(UINT answer) {
  boxText.clear();
  boxAnswer = answer;
  ::SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = ::FindWindowW(L"#32770", nullptr);
    if (!box) return;
    ::KillTimer(nullptr, id);
    for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      wchar_t text[512] = {};
      ::GetWindowTextW(child, text, 512);
      boxText += text;
    }
    ::PostMessageW(box, WM_COMMAND, boxAnswer, 0);
  });
}

}  // namespace zavra::test
