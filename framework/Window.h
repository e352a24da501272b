#pragma once
// CWnd: the window base. The object is bound to its HWND when the window is created
// (WM_NCCREATE) or subclassed; each class handles its messages in WindowProc, returning
// Default(...) for the rest, and its menu commands through a command map.
#include "framework/Win.h"
#include <span>

namespace zavra {

class CWnd {
 public:
  CWnd() = default;
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;
  virtual ~CWnd();

  HWND GetSafeHwnd() const { return hwnd_; }
  operator HWND() const { return hwnd_; }

  // Registers a window class whose procedure routes to CWnd objects; repeated calls are fine.
  static bool RegisterWindowClass(const wchar_t* className, UINT style, HCURSOR cursor = nullptr,
                                  HBRUSH background = nullptr, HICON icon = nullptr);
  bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, const RECT& rect,
                HWND parent = nullptr, HMENU menu = nullptr);
  // Takes over an existing window (a dialog control, say) by replacing its procedure.
  bool SubclassWindow(HWND hwnd);
  bool SubclassDlgItem(UINT id, HWND dialog) { return SubclassWindow(::GetDlgItem(dialog, static_cast<int>(id))); }
  void DestroyWindow();

  // The object bound to a window, or null.
  static CWnd* FromHandle(HWND hwnd);
  // The window property that carries the object pointer.
  static constexpr const wchar_t* kObjectProp = L"zavra.CWnd";

 protected:
  virtual LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp);
  // Menu and control commands; return true when handled.
  virtual bool OnCommand(UINT id, UINT code, HWND control) { return false; }
  // Called after the last message (WM_NCDESTROY); objects that own themselves delete here.
  virtual void PostNcDestroy() {}
  LRESULT Default(UINT msg, WPARAM wp, LPARAM lp);

  // Lets a dialog bind itself at WM_INITDIALOG.
  void Attach(HWND hwnd);
  void Detach();

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;
  LRESULT Dispatch(UINT msg, WPARAM wp, LPARAM lp) noexcept;

  HWND hwnd_ = nullptr;
  WNDPROC superProc_ = nullptr;  // the replaced procedure of a subclassed window
  friend class CDialog;
};

// A command map: ranges of command ids routed to member functions of one class.
template <class T>
struct CommandRoute {
  UINT first;
  UINT last;
  void (T::*handler)(UINT id);
};

template <class T>
bool RouteCommand(T* self, std::span<const CommandRoute<T>> routes, UINT id) {
  for (const auto& r : routes) {
    if (id >= r.first && id <= r.last) {
      (self->*r.handler)(id);
      return true;
    }
  }
  return false;
}

}  // namespace zavra
