#include "app/OwnerDrawMenu_win.h"
#include "framework/Text.h"

namespace zavra {

namespace {

FontHandle MenuFont() {
  NONCLIENTMETRICSW ncm{sizeof ncm};
  ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof ncm, &ncm, 0);
  return FontHandle(::CreateFontIndirectW(&ncm.lfMenuFont));
}

}  // namespace

void OwnerDrawMenu::LoadIconStrip(const std::wstring& path) {
  strip_.reset(::ImageList_LoadImageW(nullptr, path.c_str(), 16, 10, CLR_DEFAULT, IMAGE_BITMAP,
                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  iconCount_ = strip_ ? ::ImageList_GetImageCount(strip_.get()) : 0;
}

void OwnerDrawMenu::Append(HMENU menu, const MENUITEM& row, UINT extraFlags) {
  rows_.push_back(row);
  ::AppendMenuW(menu, MF_OWNERDRAW | extraFlags, row.command, reinterpret_cast<LPCWSTR>(rows_.size() - 1));
}

size_t OwnerDrawMenu::AddLinkIcon(IconHandle icon) {
  linkIcons_.push_back(std::move(icon));
  return linkIcons_.size() - 1;
}

void OwnerDrawMenu::Clear() {
  rows_.clear();
  linkIcons_.clear();
}

bool OwnerDrawMenu::Measure(MEASUREITEMSTRUCT& mis, HWND owner) const {
  if (mis.CtlType != ODT_MENU || mis.itemData >= rows_.size()) return false;
  const MENUITEM& row = rows_[mis.itemData];
  WindowDC dc(owner);
  FontHandle font = MenuFont();
  SelectObjectScope select(dc.get(), font.get());
  RECT r{};
  const std::wstring text = ToWide(row.text);
  ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (row.header) {
    mis.itemWidth = static_cast<UINT>(w + 6);
    mis.itemHeight = static_cast<UINT>(h + 2);
  } else {
    mis.itemWidth = static_cast<UINT>(w + 22);
    mis.itemHeight = static_cast<UINT>(std::max(h + 4, 17));
  }
  return true;
}

bool OwnerDrawMenu::Draw(const DRAWITEMSTRUCT& dis) const {
  if (dis.CtlType != ODT_MENU || dis.itemData >= rows_.size()) return false;
  const MENUITEM& row = rows_[dis.itemData];
  COLORREF fore, back;
  if (row.header) {
    // A separator: never highlighted.
    fore = row.textColor;
    back = row.backColor;
  } else if (dis.itemState & ODS_SELECTED) {
    fore = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    back = ::GetSysColor(COLOR_HIGHLIGHT);
  } else {
    fore = ::GetSysColor(COLOR_MENUTEXT);
    back = ::GetSysColor(COLOR_MENU);
  }
  HDC dc = dis.hDC;
  RECT r = dis.rcItem;
  BrushHandle brush(::CreateSolidBrush(back));
  ::FillRect(dc, &r, brush.get());
  UINT align = DT_LEFT;
  if (!row.centered) {
    r.left += 1;
    const int top = r.top + (r.bottom - r.top - 16) / 2;
    if (row.linkIconSlot < linkIcons_.size() && linkIcons_[row.linkIconSlot]) {
      ::DrawIconEx(dc, r.left, top, linkIcons_[row.linkIconSlot].get(), 16, 16, 0, nullptr, DI_NORMAL);
    } else if (strip_ && row.iconIndex > 0 && row.iconIndex < iconCount_) {
      ::ImageList_Draw(strip_.get(), row.iconIndex, dc, r.left, top, ILD_TRANSPARENT);
    }
    r.left += 20;
  } else {
    align = DT_CENTER;
  }
  FontHandle font = MenuFont();
  SelectObjectScope select(dc, font.get());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, fore);
  const std::wstring text = ToWide(row.text);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
  return true;
}

}  // namespace zavra
