#pragma once
// CAdjustWnd: the translucent cyan rectangle with which the user moves and sizes the area of
// the tracker stack. The preferences create it at the current area, show it while their page
// is up, and store its rectangle as "TrackRect" when applied.
#include <functional>

#include "framework/Window.h"
#include "store/NoteRecord.h"

namespace zavra {

class CAdjustWnd : public CWnd {
 public:
  static constexpr const wchar_t* kClassName = L"QZTrackerArea";
  static constexpr BYTE kOpacity = 96;
  static constexpr int kBorder = 5;    // the sizing band inside the edges
  static constexpr int kMinSize = 32;

  CAdjustWnd() = default;

  // Creates the editor hidden at `rect` (screen coordinates; TrackAreaOnScreen gives the
  // current area), owned by `owner`.
  bool Create(const RECT32& rect, HWND owner);
  // Shown without activation, or hidden.
  void Show(bool show);
  // The rectangle to store as "TrackRect".
  RECT32 Rect() const;
  // Called at the end of every move or size the user makes.
  void SetOnChanged(std::function<void()> changed) { changed_ = std::move(changed); }

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  LRESULT HitTest(LPARAM screenPoint) const;
  void Paint();

  std::function<void()> changed_;
};

}  // namespace zavra
