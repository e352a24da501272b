#include "framework/Application.h"
#include <ole2.h>
#include <algorithm>
#include <vector>

namespace zavra {

CApplication* CApplication::current_ = nullptr;

CApplication::CApplication() { current_ = this; }

CApplication::~CApplication() {
  if (oleInitialized_) ::OleUninitialize();
  if (current_ == this) current_ = nullptr;
}

bool CApplication::InitOle() {
  if (!oleInitialized_) oleInitialized_ = SUCCEEDED(::OleInitialize(nullptr));
  return oleInitialized_;
}

void CApplication::AddModeless(HWND dialog) {
  if (current_) current_->modelessDialogs_.push_back(dialog);
}

void CApplication::RemoveModeless(HWND dialog) {
  if (!current_) return;
  auto& list = current_->modelessDialogs_;
  list.erase(std::remove(list.begin(), list.end(), dialog), list.end());
}

void CApplication::AddModelessSheet(HWND sheet) {
  if (current_) current_->modelessSheets_.push_back(sheet);
}

bool CApplication::RouteToModeless(MSG& msg) {
  auto& sheets = modelessSheets_;
  for (size_t i = 0; i < sheets.size(); ++i) {
    HWND sheet = sheets[i];
    if (!::IsWindow(sheet)) {
      sheets.erase(sheets.begin() + static_cast<long>(i));
      --i;
      continue;
    }
    if (PropSheet_IsDialogMessage(sheet, &msg)) {
      // A modeless sheet closes itself by leaving no current page.
      if (!PropSheet_GetCurrentPageHwnd(sheet)) ::DestroyWindow(sheet);
      return true;
    }
  }
  for (HWND dialog : modelessDialogs_) {
    if (::IsWindow(dialog) && ::IsDialogMessageW(dialog, &msg)) return true;
  }
  return false;
}

int CApplication::MessageLoop() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (PreTranslateMessage(msg) || RouteToModeless(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

int CApplication::Run(HINSTANCE instance, const wchar_t* commandLine) {
  instance_ = instance;
  commandLine_ = commandLine ? commandLine : L"";
  if (InitInstance()) exitCode_ = MessageLoop();
  return ExitInstance();
}

}  // namespace zavra
