#include "skin/BkgWnd_win.h"

#include <windowsx.h>

#include "framework/Dpi.h"
#include "framework/Handles.h"

namespace zavra {

namespace {

RECT ToRect(const SkinRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
SkinRect FromRect(const RECT& r) { return SkinRect{r.left, r.top, r.right, r.bottom}; }

const wchar_t* ZoneCursor(int zone) {
  switch (zone) {
    case 1: case 2: return IDC_SIZEWE;
    case 3: case 6: return IDC_SIZENS;
    case 4: case 8: return IDC_SIZENWSE;
    case 5: case 7: return IDC_SIZENESW;
    default: return nullptr;
  }
}

}  // namespace

CBkgWnd::~CBkgWnd() {
  if (GetSafeHwnd()) StopAnimations();
}

bool CBkgWnd::Create(const RECT& paperScreen, HWND owner, DWORD extraExStyle, const wchar_t* className,
                     UINT classStyle) {
  if (!RegisterWindowClass(className, classStyle)) return false;
  SetDpi(RectDpi(paperScreen));
  paperPos_ = {paperScreen.left, paperScreen.top};
  paperWidth_ = paperScreen.right - paperScreen.left;
  paperHeight_ = paperScreen.bottom - paperScreen.top;
  return CreateEx(WS_EX_LAYERED | WS_EX_TOOLWINDOW | extraExStyle, className, L"", WS_POPUP, paperScreen, owner);
}

void CBkgWnd::SetSkin(SkinPtr skin) {
  if (skin == skin_) return;  // the extra reference goes with `skin`
  StopAnimations();
  skin_ = std::move(skin);
  infos_.assign(skin_ ? skin_->size() : 0, LAYERINFO{});
  intervals_.assign(infos_.size(), 0);
  layoutNeeded_ = true;
}

void CBkgWnd::SetColors(::COLORREF paper, ::COLORREF borderActive, ::COLORREF borderInactive) {
  colors_ = {paper, borderActive, borderInactive};
}

void CBkgWnd::SetPaperRect(const RECT& paperScreen) {
  paperPos_ = {paperScreen.left, paperScreen.top};
  const int32_t w = paperScreen.right - paperScreen.left, h = paperScreen.bottom - paperScreen.top;
  if (w != paperWidth_ || h != paperHeight_) layoutNeeded_ = true;
  paperWidth_ = w;
  paperHeight_ = h;
  Render();
}

void CBkgWnd::SetDpi(uint32_t dpi) {
  dpi = UsableDpi(dpi);
  if (dpi == dpi_) return;
  dpi_ = dpi;
  layoutNeeded_ = true;
}

RECT CBkgWnd::PaperScreenRect() const {
  int32_t w = paperWidth_, h = paperHeight_;
  if (skin_) PaperSizeFor(*skin_, w, h, dpi_);
  return RECT{paperPos_.x, paperPos_.y, paperPos_.x + w, paperPos_.y + h};
}

void CBkgWnd::SetState(uint32_t bits, bool on) {
  ChangeState(on ? state_ | bits : state_ & ~bits);
}

void CBkgWnd::ChangeState(uint32_t state) {
  const uint32_t changed = state ^ state_;
  state_ = state;
  if (skin_ && (changed & skin_->stateMask())) {
    Render();
    StartAnimations();
  }
}

bool CBkgWnd::Prepare() {
  if (!skin_) return false;
  if (layoutNeeded_) layout_ = LayOutSkin(*skin_, paperWidth_, paperHeight_, infos_, dpi_);
  if (!RenderSkin(canvas_, *skin_, layout_, infos_, colors_, state_, *this)) return false;
  layoutNeeded_ = false;
  ++renders_;
  return true;
}

void CBkgWnd::Render() {
  if (!GetSafeHwnd() || !Prepare()) return;
  POINT origin{paperPos_.x + layout_.bounds.left, paperPos_.y + layout_.bounds.top};
  SIZE size{canvas_.width(), canvas_.height()};
  POINT source{0, 0};
  BLENDFUNCTION blend{AC_SRC_OVER, 0, GetOpacity(), AC_SRC_ALPHA};
  WindowDC screen(nullptr);
  placing_ = true;
  ::UpdateLayeredWindow(*this, screen.get(), &origin, &size, canvas_.dc(), &source, 0, &blend, ULW_ALPHA);
  placing_ = false;
}

CBkgWnd::Image CBkgWnd::RenderToImage() {
  Image image;
  if (!Prepare()) return image;
  image.width = canvas_.width();
  image.height = canvas_.height();
  image.origin = {paperPos_.x + layout_.bounds.left, paperPos_.y + layout_.bounds.top};
  image.pixels.assign(canvas_.pixels(), canvas_.pixels() + static_cast<size_t>(image.width) * image.height);
  return image;
}

bool CBkgWnd::Animates(size_t i) const {
  if (!skin_ || i >= skin_->size()) return false;
  const SLAYER& layer = skin_->layer(i);
  const SkinImage* image = skin_->image(i);
  return layer.kind == kLayerImage && image && image->animated() && ConditionHolds(layer.condition, state_) &&
         ConditionHolds(layer.u.image.animCondition, state_);
}

void CBkgWnd::StartAnimations() {
  if (!GetSafeHwnd()) return;
  for (size_t i = 0; i < infos_.size(); ++i) {
    if (infos_[i].timerRunning || !Animates(i)) continue;
    const UINT interval = 10 * skin_->image(i)->FrameDelay(infos_[i].frame);
    if (::SetTimer(*this, i, interval, nullptr)) {
      infos_[i].timerRunning = true;
      intervals_[i] = interval;
    }
  }
}

void CBkgWnd::StopAnimations() {
  for (size_t i = 0; i < infos_.size(); ++i) {
    if (!infos_[i].timerRunning) continue;
    if (GetSafeHwnd()) ::KillTimer(*this, i);
    infos_[i].timerRunning = false;
    intervals_[i] = 0;
  }
}

void CBkgWnd::OnAnimationTimer(size_t i) {
  if (!Animates(i)) {
    ::KillTimer(*this, i);
    infos_[i].timerRunning = false;
    intervals_[i] = 0;
    return;
  }
  const SkinImage& image = *skin_->image(i);
  const uint32_t oldDelay = image.FrameDelay(infos_[i].frame);
  infos_[i].frame = (infos_[i].frame + 1) % image.frames();
  Render();
  const uint32_t newDelay = image.FrameDelay(infos_[i].frame);
  if (newDelay != oldDelay && ::SetTimer(*this, i, 10 * newDelay, nullptr)) intervals_[i] = 10 * newDelay;
}

POINT CBkgWnd::CursorInWindow(LPARAM lp) const { return POINT{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)}; }

LRESULT CBkgWnd::OnSetCursor(WPARAM wp, LPARAM lp) {
  zone_ = 0;
  if (LOWORD(lp) == HTCLIENT && CanResize()) {
    POINT pt{};
    ::GetCursorPos(&pt);
    ::ScreenToClient(*this, &pt);
    zone_ = ResizeZone(layout_.paper, pt.x, pt.y, ScaleToDpi(kResizeBand, dpi_));
  }
  if (const wchar_t* cursor = ZoneCursor(zone_)) {
    ::SetCursor(::LoadCursorW(nullptr, cursor));
    return TRUE;
  }
  return Default(WM_SETCURSOR, wp, lp);
}

void CBkgWnd::OnButtonDown(LPARAM lp, bool left) {
  if (state_ & (kStatePopup | kStateAlarm)) ChangeState(state_ & ~(kStatePopup | kStateAlarm));
  if (!left) return;
  const POINT pt = CursorInWindow(lp);
  zone_ = CanResize() ? ResizeZone(layout_.paper, pt.x, pt.y, ScaleToDpi(kResizeBand, dpi_)) : 0;
  if (zone_) {
    ::SetCapture(*this);
    resizing_ = true;
    startPaper_ = PaperScreenRect();
    startCursor_ = pt;
    ::ClientToScreen(*this, &startCursor_);
  } else if (CanDrag()) {
    POINT screen = pt;
    ::ClientToScreen(*this, &screen);
    // The system's move loop, as if the caption had been grabbed.
    ::SendMessageW(*this, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(screen.x, screen.y));
  }
}

void CBkgWnd::OnResizeMove(LPARAM lp) {
  POINT cursor = CursorInWindow(lp);
  ::ClientToScreen(*this, &cursor);
  RECT r = ToRect(ResizeRect(FromRect(startPaper_), zone_, cursor.x - startCursor_.x, cursor.y - startCursor_.y));
  AdjustRect(zone_, r);
  r = ToRect(EnforceMinimumSize(FromRect(r), zone_, ScaleToDpi(kMinPaperSize, dpi_)));
  const RECT current = PaperScreenRect();
  if (::EqualRect(&r, &current)) return;
  OnSizeChanged();
  SetPaperRect(r);
}

void CBkgWnd::OnMoving(RECT& window) {
  const LONG dx = window.left - moveStartWindow_.left, dy = window.top - moveStartWindow_.top;
  RECT paper = startPaper_;
  ::OffsetRect(&paper, dx, dy);
  AdjustRect(0, paper);
  const LONG w = window.right - window.left, h = window.bottom - window.top;
  window.left = paper.left + layout_.bounds.left;
  window.top = paper.top + layout_.bounds.top;
  window.right = window.left + w;
  window.bottom = window.top + h;
}

void CBkgWnd::OnDpiMessage(uint32_t dpi, const RECT& suggested) {
  const uint32_t old = dpi_;
  if (dpi == old) return;
  // The paper keeps its size in inches; a fixed-size skin's paper follows from the skin.
  paperWidth_ = RescaleLength(paperWidth_, old, dpi);
  paperHeight_ = RescaleLength(paperHeight_, old, dpi);
  SetDpi(dpi);
  OnDpiChanged();
  if (!skin_) {
    paperPos_ = {suggested.left, suggested.top};
    ::SetWindowPos(*this, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  layout_ = LayOutSkin(*skin_, paperWidth_, paperHeight_, infos_, dpi_);
  layoutNeeded_ = false;
  const SkinRect paper = PaperInWindowAt(layout_, FromRect(suggested));
  paperPos_ = {paper.left, paper.top};
  movedOrResized_ = true;
  Render();
  if (moving_) {
    // A drag carries on from where the window now stands, at its new size.
    startPaper_ = PaperScreenRect();
    ::GetWindowRect(*this, &moveStartWindow_);
  }
}

LRESULT CBkgWnd::WindowProc(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_DPICHANGED:
      OnDpiMessage(DpiOfMessage(wp), SuggestedRect(lp));
      return 0;
    case WM_NCHITTEST: {
      POINT pt{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      ::ScreenToClient(*this, &pt);
      return skin_ && layout_.paper.contains(pt.x, pt.y) ? HTCLIENT : HTTRANSPARENT;
    }
    case WM_SETCURSOR:
      return OnSetCursor(wp, lp);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      OnButtonDown(lp, true);
      return 0;
    case WM_RBUTTONDOWN:
      OnButtonDown(lp, false);
      break;
    case WM_MOUSEMOVE:
      if (resizing_) OnResizeMove(lp);
      break;
    case WM_LBUTTONUP:
      if (resizing_) {
        resizing_ = false;
        ::ReleaseCapture();
        movedOrResized_ = true;
      }
      break;
    case WM_CAPTURECHANGED:
      resizing_ = false;
      break;
    case WM_ENTERSIZEMOVE:
      moving_ = true;
      startPaper_ = PaperScreenRect();
      ::GetWindowRect(*this, &moveStartWindow_);
      break;
    case WM_MOVING:
      OnMoving(*reinterpret_cast<RECT*>(lp));
      return TRUE;
    case WM_EXITSIZEMOVE:
      moving_ = false;
      movedOrResized_ = true;
      break;
    case WM_WINDOWPOSCHANGED: {
      // Moves made by the system (the move loop, the owner) carry the paper along.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lp);
      if (!placing_ && skin_ && !(pos->flags & SWP_NOMOVE)) {
        paperPos_ = {pos->x - layout_.bounds.left, pos->y - layout_.bounds.top};
      }
      break;
    }
    case WM_ACTIVATE:
      ChangeState(LOWORD(wp) != WA_INACTIVE ? state_ | kStateActive : state_ & ~kStateActive);
      break;
    case WM_TIMER:
      if (wp < infos_.size() && infos_[wp].timerRunning) {
        OnAnimationTimer(wp);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      ::ValidateRect(*this, nullptr);
      Render();
      return 0;
    case WM_DESTROY:
      StopAnimations();
      skin_.reset();
      infos_.clear();
      break;
    default:
      break;
  }
  return CWnd::WindowProc(msg, wp, lp);
}

}  // namespace zavra
