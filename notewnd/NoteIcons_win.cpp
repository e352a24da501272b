#include "notewnd/NoteIcons_win.h"

#include <commctrl.h>

#include "framework/Dpi.h"
#include "store/StoreWin.h"

namespace zavra {

IconHandle StripIcon(const std::wstring& folder, uint32_t index, int size) {
  if (index == 0) return {};
  ImageListHandle strip = LoadIconStrip(folder + L"icons.bmp", size);
  if (!strip || static_cast<int>(index) >= ::ImageList_GetImageCount(strip.get())) return {};
  return IconHandle(::ImageList_GetIcon(strip.get(), static_cast<int>(index), ILD_NORMAL));
}

FontHandle NoteFont(const zavra::LOGFONTW* face, bool clearType, uint32_t dpi) {
  ::LOGFONTW lf = face ? ToWinFontAt(*face, dpi) : IconTitleFontAt(dpi);
  lf.lfQuality = clearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
  FontHandle font(::CreateFontIndirectW(&lf));
  if (!font && face) return NoteFont(nullptr, clearType, dpi);
  return font;
}

int LineHeight(HFONT font) {
  HDC screen = ::GetDC(nullptr);
  TEXTMETRICW tm{};
  {
    SelectObjectScope select(screen, font);
    ::GetTextMetricsW(screen, &tm);
  }
  ::ReleaseDC(nullptr, screen);
  return tm.tmHeight > 0 ? tm.tmHeight : 16;
}

}  // namespace zavra
