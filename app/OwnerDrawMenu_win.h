#pragma once
// The owner-drawn rows of the tray and quick menus: each row is a MENUITEM found through the
// item data (an index into the row list), drawn with its icon from the icon strip or its own
// icon handle, at the DPI of the monitor the menu shows on.
#include "app/MenuModel.h"
#include "framework/DpiScale.h"
#include "framework/Handles.h"
#include <string>
#include <vector>

namespace zavra {

class OwnerDrawMenu {
 public:
  OwnerDrawMenu() = default;
  OwnerDrawMenu(const OwnerDrawMenu&) = delete;
  OwnerDrawMenu& operator=(const OwnerDrawMenu&) = delete;

  // The DPI the rows are measured and drawn for (that of the monitor where the menu opens);
  // set it before loading the strip.
  void SetDpi(uint32_t dpi);
  uint32_t dpi() const { return dpi_; }
  // Loads "icons.bmp" (16-pixel images, top-left pixel transparent) at the icon size of the
  // DPI; missing file: no icons.
  void LoadIconStrip(const std::wstring& path);
  // Appends a row to `menu`: owner-drawn, its item data the row's index.
  void Append(HMENU menu, const MENUITEM& row, UINT extraFlags = 0);
  // A quick-launch row's own icon; returns the slot for MENUITEM::linkIconSlot.
  size_t AddLinkIcon(IconHandle icon);
  void Clear();

  bool Measure(MEASUREITEMSTRUCT& mis, HWND owner) const;
  bool Draw(const DRAWITEMSTRUCT& dis) const;

  const std::vector<MENUITEM>& rows() const { return rows_; }
  int iconCount() const { return iconCount_; }

 private:
  std::vector<MENUITEM> rows_;
  std::vector<IconHandle> linkIcons_;
  ImageListHandle strip_;
  int iconCount_ = 0;
  HFONT Font() const;

  uint32_t dpi_ = kBaseDpi;
  mutable FontHandle font_;  // the menu font at dpi_, made when first needed
};

}  // namespace zavra
