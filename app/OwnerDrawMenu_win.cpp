#include "app/OwnerDrawMenu_win.h"
#include "framework/Dpi.h"
#include "framework/Text.h"
#include "skin/IconStrip_win.h"

namespace zavra {

void OwnerDrawMenu::SetDpi(uint32_t dpi) {
  dpi = UsableDpi(dpi);
  if (dpi == dpi_) return;
  dpi_ = dpi;
  font_.reset();
}

HFONT OwnerDrawMenu::Font() const {
  if (!font_) {
    const ::LOGFONTW menuFont = MenuFontAt(dpi_);
    font_.reset(::CreateFontIndirectW(&menuFont));
  }
  return font_.get();
}

void OwnerDrawMenu::LoadIconStrip(const std::wstring& path) {
  strip_ = zavra::LoadIconStrip(path, MenuRowMetricsAt(dpi_).iconSize);
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
  SelectObjectScope select(dc.get(), Font());
  RECT r{};
  const std::wstring text = ToWide(row.text);
  ::DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_NOPREFIX | DT_CALCRECT);
  const MenuRowSize size = MeasureMenuRow(row.header, r.right - r.left, r.bottom - r.top, dpi_);
  mis.itemWidth = static_cast<UINT>(size.width);
  mis.itemHeight = static_cast<UINT>(size.height);
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
    const MenuRowMetrics metrics = MenuRowMetricsAt(dpi_);
    const int left = r.left + metrics.iconLeft, size = metrics.iconSize;
    const int top = r.top + (r.bottom - r.top - size) / 2;
    if (row.linkIconSlot < linkIcons_.size() && linkIcons_[row.linkIconSlot]) {
      ::DrawIconEx(dc, left, top, linkIcons_[row.linkIconSlot].get(), size, size, 0, nullptr, DI_NORMAL);
    } else if (strip_ && row.iconIndex > 0 && row.iconIndex < iconCount_) {
      ::ImageList_Draw(strip_.get(), row.iconIndex, dc, left, top, ILD_TRANSPARENT);
    }
    r.left += metrics.textLeft;
  } else {
    align = DT_CENTER;
  }
  SelectObjectScope select(dc, Font());
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, fore);
  const std::wstring text = ToWide(row.text);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | align);
  return true;
}

}  // namespace zavra
