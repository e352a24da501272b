#pragma once
// CBkgStatic: a static control turned into a picture preview (the calendar background on the
// preferences page): a background colour and one picture, tiled or stretched.
#include <memory>
#include <string>

#include "framework/Window.h"
#include "skin/SkinImage_win.h"

namespace zavra {

class CBkgStatic : public CWnd {
 public:
  CBkgStatic() = default;
  ~CBkgStatic() override;

  void SetBackground(::COLORREF color);
  // An empty path, or one that does not decode, shows no picture.
  void SetPicture(const std::wstring& path);
  // Stretched over the control, optionally cropped to its aspect first; else tiled from the top-left.
  void SetStretch(bool stretch, bool retainRatio);
  bool hasPicture() const { return picture_ != nullptr; }

  // Draws the preview as it appears in a client area of this size.
  void Paint(HDC dc, int width, int height);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void Refresh();

  std::unique_ptr<GdiplusPicture> picture_;
  ::COLORREF background_ = 0x00FFFFFF;
  bool stretch_ = false;
  bool retainRatio_ = false;
};

}  // namespace zavra
