#pragma once
// CPadView: the owner-drawn list of the pad. Each row is a card in the note's colours: the time
// on the first line in its time colour, the title on the second, and the note's icon, the
// calendar mark and the link mark at the top right. A title cut short shows whole in a tip
// while the mouse rests on it.
#include <optional>
#include <vector>

#include "framework/Handles.h"
#include "framework/Window.h"
#include "notewnd/TipWnd_win.h"
#include "pad/PadEntries.h"

namespace zavra {

class CPadFrame;

class CPadView : public CWnd {
 public:
  static constexpr int kLinkColumn = 26;  // pixels at the right edge that act on the link

  explicit CPadView(CPadFrame& frame);

  bool Create(HWND parent, UINT id);
  // The rows changed: new count and looks; `keepTop` keeps the first visible row.
  void Reload(bool keepTop);
  void ShowSelection(int row);
  // For the frame's WM_DRAWITEM.
  void DrawItem(const DRAWITEMSTRUCT& item);
  int RowHeight() const { return rowHeight_; }
  void SetRowHeight(int height);
  // The row under a client point, or -1.
  int RowAt(POINT client) const;
  int TopRow() const;
  const CTipWnd& titleTip() const { return tip_; }
  void CloseTip() { tip_.Hide(); }

  // The look of a row as drawn (computed on first use).
  struct RowCache {
    PadRowLook look;
    ::COLORREF border = 0;
    bool titleCut = false;
    RECT title{};  // where the title is drawn, in the card
  };
  const RowCache& Cache(size_t row) { return CacheOf(row); }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  RowCache& CacheOf(size_t row);
  RECT CardOf(const RECT& item) const;
  void DrawOutline(HDC dc, const RECT& card, const RowCache& cache, bool selected);
  void OnButtonDown(POINT client);
  void OnDoubleClick(POINT client);
  void OnRightButtonUp(POINT client);
  void OnHover(POINT client);
  bool OnLinkColumn(int row, POINT client) const;

  CPadFrame& frame_;
  int rowHeight_ = 38;
  std::vector<std::optional<RowCache>> cache_;
  IconHandle linkIcon_;
  IconHandle calendarIcon_;
  CTipWnd tip_;
  POINT lastMouse_{-1, -1};
};

}  // namespace zavra
