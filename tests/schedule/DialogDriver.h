#pragma once
// Drives dialogs from a thread timer, which keeps firing inside whatever modal loop (a dialog,
// a message box) runs on the test's thread. Steps that open a modal dialog post their click, so
// the timer callback returns and the next steps run inside the new loop.
#include <functional>
#include <string>
#include <vector>

#include "WinTestUtil.h"
#include "framework/Win.h"

namespace zavra::test {

// The visible dialog window (class #32770) with `caption`, owned by `owner` when it is given.
inline HWND FindDialog(const std::wstring& caption, HWND owner = nullptr) {
  struct Search {
    const std::wstring& caption;
    HWND owner;
    HWND found = nullptr;
  } search{caption, owner};
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND w, LPARAM p) -> BOOL {
        auto* s = reinterpret_cast<Search*>(p);
        wchar_t name[16] = {}, title[128] = {};
        ::GetClassNameW(w, name, 16);
        ::GetWindowTextW(w, title, 128);
        if (std::wstring(name) != L"#32770" || s->caption != title || !::IsWindowVisible(w)) return TRUE;
        if (s->owner && ::GetWindow(w, GW_OWNER) != s->owner) return TRUE;
        s->found = w;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline std::wstring ItemText(HWND dialog, int id) {
  wchar_t text[512] = {};
  ::GetDlgItemTextW(dialog, id, text, 512);
  return text;
}

// Whether a control is shown, whether or not its dialog is on the screen.
inline bool Shown(HWND dialog, int id) { return (::GetWindowLongW(::GetDlgItem(dialog, id), GWL_STYLE) & WS_VISIBLE) != 0; }

// Typing into an edit box (setting its text would not notify a multi-line box's dialog).
inline void Type(HWND dialog, int id, const std::wstring& text) {
  for (wchar_t c : text) ::SendDlgItemMessageW(dialog, id, WM_CHAR, c, 0);
}

// A button click as the user makes it (auto check boxes and radios change their state).
inline void Click(HWND dialog, int id) { ::SendMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
// For a button that opens a modal dialog.
inline void PostClick(HWND dialog, int id) { ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
// A list choice as the user makes it: the selection, then the notification.
inline void Choose(HWND dialog, int id, int row) {
  ::SendDlgItemMessageW(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

class DialogScript {
 public:
  // A step returns false to be tried again at the next tick (waiting for a window to appear).
  using Step = std::function<bool()>;

  explicit DialogScript(std::vector<Step> steps) : steps_(std::move(steps)) {
    current_ = this;
    timer_ = ::SetTimer(nullptr, 0, 40, &DialogScript::Tick);
  }
  ~DialogScript() {
    ::KillTimer(nullptr, timer_);
    current_ = nullptr;
  }
  DialogScript(const DialogScript&) = delete;
  DialogScript& operator=(const DialogScript&) = delete;

  bool finished() const { return next_ == steps_.size(); }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    DialogScript* self = current_;
    if (!self || self->running_ || self->finished() || self->gaveUp_) return;
    self->running_ = true;
    if (self->steps_[self->next_]()) {
      ++self->next_;
      self->waited_ = 0;
    } else if (++self->waited_ > kPatience) {
      // A step that never comes true must not leave the test inside a modal loop.
      self->gaveUp_ = true;
      ::EnumThreadWindows(
          ::GetCurrentThreadId(),
          [](HWND w, LPARAM) -> BOOL {
            wchar_t name[16] = {};
            ::GetClassNameW(w, name, 16);
            if (std::wstring(name) == L"#32770") ::PostMessageW(w, WM_COMMAND, IDCANCEL, 0);
            return TRUE;
          },
          0);
    }
    self->running_ = false;
  }

  static constexpr int kPatience = 400;  // ticks, about 16 seconds

  inline static DialogScript* current_ = nullptr;
  std::vector<Step> steps_;
  size_t next_ = 0;
  int waited_ = 0;
  bool running_ = false;
  bool gaveUp_ = false;
  UINT_PTR timer_ = 0;
};

// A step that reads the text of the message box `caption` owned by `owner` and closes it.
inline std::function<bool()> AnswerMessageBox(const std::wstring& caption, HWND owner, std::wstring& text) {
  return [caption, owner, &text] {
    HWND box = FindDialog(caption, owner);
    if (!box) return false;
    text = ItemText(box, 0xFFFF);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
  };
}

}  // namespace zavra::test
