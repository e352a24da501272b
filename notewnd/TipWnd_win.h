#pragma once
// CTipWnd: a hover tip of single-line rows in the system's tooltip colours. CTimeTipWnd: the
// pad's "Now" label, a pennant pointing right with the date and time. Neither takes the focus
// nor the mouse; their owner decides when they come and go.
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "framework/Window.h"
#include "notewnd/TipLayout.h"
#include "store/NoteRecord.h"

namespace zavra {

// Whether tips draw with ClearType: the "ClearType" setting of the running program (on when
// there is none, as in tests).
bool TipClearType();

class CTipWnd : public CWnd {
 public:
  CTipWnd() = default;
  ~CTipWnd() override;

  // One row (the pad: a title that did not fit).
  void SetText(const std::wstring& row) { rows_.assign(1, row); }
  void SetRows(std::vector<std::wstring> rows) { rows_ = std::move(rows); }
  // A note's summary (the calendar): its first line and when it was made or is due.
  void SetNoteSummary(const NOTE_PAD& note);
  const std::vector<std::wstring>& rows() const { return rows_; }

  // Shows the tip with its top-left corner at a screen point, sized to its rows and kept on the
  // work area, without activating it; an earlier one of this object goes first.
  bool ShowAt(POINT screen, HWND owner);
  // Destroys the tip's window (the object stays for the next one).
  void Hide();
  bool IsShown() const { return GetSafeHwnd() != nullptr; }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void LoadFont(uint32_t dpi);
  void FitToRows();
  void Paint();

  std::vector<std::wstring> rows_;
  FontHandle font_;
  uint32_t dpi_ = kBaseDpi;
  int rowHeight_ = 13;
};

class CTimeTipWnd : public CWnd {
 public:
  CTimeTipWnd() = default;
  ~CTimeTipWnd() override;

  // Creates the label for time `t`, owned by `owner`, off screen and hidden until PointAt.
  bool Create(HWND owner, int64_t t);
  // New text for `t` ("%s\nNow  %s"); the label keeps its top-right corner.
  void SetTime(int64_t t);
  // Shows the label with its arrow's point at the screen point.
  void PointAt(POINT screen);
  void Destroy();

  int64_t time() const { return time_; }
  const std::wstring& text() const { return text_; }
  const TimeTipLayout& layout() const { return layout_; }

  // The label's transparent colour: red 239, green 0, blue 255.
  static constexpr ::COLORREF kColorKey = 0x00FF00EF;

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Paint();

  FontHandle font_;
  uint32_t dpi_ = kBaseDpi;
  int64_t time_ = 0;
  std::wstring text_;
  TimeTipLayout layout_;
};

}  // namespace zavra
