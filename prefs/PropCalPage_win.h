#pragma once
// CPropCalPage: the calendar's background colour, picture and its haziness.
#include <memory>

#include "framework/GdiPlus.h"
#include "prefs/PageValues.h"
#include "prefs/QePropPage_win.h"

namespace zavra {

class CPropCalPage : public CQePropPage {
 public:
  explicit CPropCalPage(IPreferencesHost& host);
  ~CPropCalPage() override;
  const CalendarSettings& values() const { return values_; }
  // The desktop's wallpaper settings, read from the user's "Control Panel\Desktop" key.
  static WallpaperChoice ReadDesktopWallpaper();

 protected:
  bool OnInitDialog() override;
  void DoDataExchange(DataExchange& dx) override;
  bool OnCommand(UINT id, UINT code, HWND control) override;
  INT_PTR DialogProc(UINT msg, WPARAM wp, LPARAM lp) override;
  bool Store() override;

 private:
  void ChangeColor();
  void Browse();
  // Loads the previewed picture; false (and nothing shown) when it does not load.
  bool LoadPreview(const std::u16string& file);
  void ShowFolder();
  void UpdateRatioBox();
  void DrawSwatch(const DRAWITEMSTRUCT& item) const;
  void DrawPreview(const DRAWITEMSTRUCT& item) const;

  CalendarSettings values_;
  int mode_ = 0;
  int haziness_ = 64;
  std::unique_ptr<Gdiplus::Bitmap> picture_;
  ::COLORREF customColors_[16] = {};
};

}  // namespace zavra
