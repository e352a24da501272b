#include "notewnd/NoteIcons_win.h"

#include <commctrl.h>

#include "store/StoreWin.h"

namespace zavra {

IconHandle StripIcon(const std::wstring& folder, uint32_t index) {
  if (index == 0) return {};
  const std::wstring path = folder + L"icons.bmp";
  // CLR_DEFAULT takes the top-left pixel as the transparent colour.
  ImageListHandle strip(::ImageList_LoadImageW(nullptr, path.c_str(), kIconStripCell, 0, CLR_DEFAULT, IMAGE_BITMAP,
                                               LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  if (!strip || static_cast<int>(index) >= ::ImageList_GetImageCount(strip.get())) return {};
  return IconHandle(::ImageList_GetIcon(strip.get(), static_cast<int>(index), ILD_NORMAL));
}

FontHandle NoteFont(const zavra::LOGFONTW* face, bool clearType) {
  ::LOGFONTW lf{};
  ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0);
  if (face && face->lfFaceName[0]) lf = ToWinFont(*face);
  lf.lfQuality = clearType ? CLEARTYPE_QUALITY : DEFAULT_QUALITY;
  FontHandle font(::CreateFontIndirectW(&lf));
  if (!font && face) return NoteFont(nullptr, clearType);
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
