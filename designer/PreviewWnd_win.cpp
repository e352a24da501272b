#include "designer/PreviewWnd_win.h"

#include <shlwapi.h>

#include "designer/PreviewPlacement.h"
#include "framework/Strings.h"
#include "resources/ZavraNd_res.h"

namespace zavra {

namespace {

SkinRect ToSkinRect(const RECT& r) { return SkinRect{r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const SkinRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// White paper; the inactive border is white at 83% lightness and saturation, a light grey.
::COLORREF InactiveBorder() {
  WORD hue = 0, lightness = 0, saturation = 0;
  ::ColorRGBToHLS(RGB(255, 255, 255), &hue, &lightness, &saturation);
  return ::ColorHLSToRGB(hue, static_cast<WORD>(lightness * 83 / 100), static_cast<WORD>(saturation * 83 / 100));
}

HICON LoadSmallIcon(UINT id) {
  return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
}

}  // namespace

RECT WorkAreaFor(const RECT& rect) {
  MONITORINFO info{sizeof info};
  if (::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return info.rcWork;
  RECT area{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return area;
}

bool CPreviewWnd::Create(HWND owner, const RECT& paper) {
  const RECT placed = ToRect(KeepInsideArea(ToSkinRect(paper), 0, ToSkinRect(WorkAreaFor(paper))));
  if (!CBkgWnd::Create(placed, owner)) return false;
  ::SetWindowTextW(*this, LoadResString(IDS_PREVIEW).c_str());
  SetColors(RGB(255, 255, 255), RGB(0, 0, 0), InactiveBorder());
  noteIcon_.reset(LoadSmallIcon(IDI_SAMPLE_NOTE));
  linkIcon_.reset(LoadSmallIcon(IDI_SAMPLE_LINK));
  return true;
}

void CPreviewWnd::ShowSkin(SkinPtr skin, const RECT* besideOf) {
  const bool any = static_cast<bool>(skin);
  SetSkin(std::move(skin));
  if (!any) {
    ::ShowWindow(*this, SW_HIDE);
    return;
  }
  RECT paper = PaperScreenRect();
  SetPaperRect(paper);  // lays out and draws
  if (besideOf) {
    // A fixed paper or pictures sticking out make the window other than 125 pixels wide.
    RECT window{};
    ::GetWindowRect(*this, &window);
    ::OffsetRect(&paper, besideOf->left - 3 - window.right, 0);
  }
  // A fixed paper size may also have carried the paper off the screen.
  const RECT kept = ToRect(KeepInsideArea(ToSkinRect(paper), 0, ToSkinRect(WorkAreaFor(paper))));
  if (!::EqualRect(&kept, &paper) || besideOf) SetPaperRect(kept);
  StartAnimations();
  ::ShowWindow(*this, SW_SHOWNOACTIVATE);
}

HICON CPreviewWnd::GetLayerIcon(int32_t kind) {
  if (kind == kLayerNoteIcon) return noteIcon_.get();
  if (kind == kLayerLinkIcon) return linkIcon_.get();
  return nullptr;
}

void CPreviewWnd::AdjustRect(int zone, RECT& paper) {
  paper = ToRect(KeepInsideArea(ToSkinRect(paper), zone, ToSkinRect(WorkAreaFor(paper))));
}

LRESULT CPreviewWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_KEYDOWN && wp == VK_ESCAPE) {
    DestroyWindow();
    return 0;
  }
  return CBkgWnd::WindowProc(msg, wp, lp);
}

}  // namespace zavra
