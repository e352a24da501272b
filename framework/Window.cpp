#include "framework/Window.h"

namespace zavra {

// The object pointer lives in a window property so that subclassed controls, whose
// GWLP_USERDATA may belong to someone else, can carry it too.

CWnd::~CWnd() {
  if (hwnd_ && ::IsWindow(hwnd_)) {
    // The object dies before its window: unbind first so no message reaches a dead object,
    // then take down a window of our own class (a subclassed control belongs to its parent).
    HWND h = hwnd_;
    const bool ownWindow = superProc_ == nullptr;
    Detach();
    if (ownWindow) ::DestroyWindow(h);
  }
}

bool CWnd::RegisterWindowClass(const wchar_t* className, UINT style, HCURSOR cursor, HBRUSH background,
                               HICON icon) {
  WNDCLASSEXW wc{sizeof wc};
  HINSTANCE inst = ::GetModuleHandleW(nullptr);
  if (::GetClassInfoExW(inst, className, &wc)) return true;
  wc = WNDCLASSEXW{sizeof wc};
  wc.style = style;
  wc.lpfnWndProc = StaticWindowProc;
  wc.hInstance = inst;
  wc.hCursor = cursor ? cursor : ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.hIcon = icon;
  wc.lpszClassName = className;
  return ::RegisterClassExW(&wc) != 0;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rc,
                    HWND parent, HMENU menu) {
  HWND h = ::CreateWindowExW(exStyle, className, title, style, rc.left, rc.top, rc.right - rc.left,
                             rc.bottom - rc.top, parent, menu, ::GetModuleHandleW(nullptr), this);
  return h != nullptr;
}

bool CWnd::SubclassWindow(HWND hwnd) {
  if (!hwnd || hwnd_) return false;
  hwnd_ = hwnd;
  ::SetPropW(hwnd, kObjectProp, this);
  superProc_ = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
  return superProc_ != nullptr;
}

void CWnd::DestroyWindow() {
  if (hwnd_) ::DestroyWindow(hwnd_);
}

CWnd* CWnd::FromHandle(HWND hwnd) {
  return hwnd ? static_cast<CWnd*>(::GetPropW(hwnd, kObjectProp)) : nullptr;
}

void CWnd::Attach(HWND hwnd) {
  hwnd_ = hwnd;
  ::SetPropW(hwnd, kObjectProp, this);
}

void CWnd::Detach() {
  if (!hwnd_) return;
  if (superProc_) {
    ::SetWindowLongPtrW(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(superProc_));
    superProc_ = nullptr;
  }
  ::RemovePropW(hwnd_, kObjectProp);
  hwnd_ = nullptr;
}

LRESULT CWnd::Default(UINT msg, WPARAM wp, LPARAM lp) {
  if (superProc_) return ::CallWindowProcW(superProc_, hwnd_, msg, wp, lp);
  return ::DefWindowProcW(hwnd_, msg, wp, lp);
}

LRESULT CWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp))) return 0;
  return Default(msg, wp, lp);
}

LRESULT CWnd::Dispatch(UINT msg, WPARAM wp, LPARAM lp) noexcept {
  HWND h = hwnd_;
  LRESULT result = 0;
  try {
    result = WindowProc(msg, wp, lp);
  } catch (...) {
    // An exception must not cross into the system's dispatcher; the message counts as handled.
    result = 0;
  }
  if (msg == WM_NCDESTROY) {
    ::RemovePropW(h, kObjectProp);
    superProc_ = nullptr;
    hwnd_ = nullptr;
    PostNcDestroy();
  }
  return result;
}

LRESULT CALLBACK CWnd::StaticWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  CWnd* self = FromHandle(hwnd);
  if (!self && msg == WM_NCCREATE) {
    auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
    self = static_cast<CWnd*>(cs->lpCreateParams);
    if (self) self->Attach(hwnd);
  }
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  return self->Dispatch(msg, wp, lp);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  CWnd* self = FromHandle(hwnd);
  if (!self) return ::DefWindowProcW(hwnd, msg, wp, lp);
  return self->Dispatch(msg, wp, lp);
}

}  // namespace zavra
