#pragma once
// CNoteSampleWnd: the category page's sample of a category's note look (control id 1019).
#include <string>

#include "framework/Handles.h"
#include "framework/Window.h"
#include "store/NoteRecord.h"

namespace zavra {

inline constexpr UINT kNoteSampleControl = 1019;

class CNoteSampleWnd : public CWnd {
 public:
  // "Sample Text", a line break and today's full weekday name.
  static std::wstring SampleText(const std::wstring& weekday);

  // `margin` and `align` are the "NoteMargin" and "NoteAlign" settings.
  void SetLook(::COLORREF paper, ::COLORREF text, const zavra::LOGFONTW& font, int margin, int align,
               const std::wstring& weekday);
  // Draws the sample into `dc` over `client` (WM_PAINT, and tests).
  void Paint(HDC dc, const RECT& client);

 protected:
  LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  ::COLORREF paper_ = 0x00F0F0F0;
  ::COLORREF text_ = 0;
  zavra::LOGFONTW face_;
  FontHandle font_;
  uint32_t fontDpi_ = 0;  // the sample is drawn at its window's DPI
  int margin_ = 6;
  int align_ = 1;
  std::wstring sample_;
};

}  // namespace zavra
