#include "skin/SkinLayout.h"

#include <algorithm>

#include "skin/Skin.h"

namespace zavra {

namespace {

int32_t Clamp(int64_t v, int64_t lo, int64_t hi) { return static_cast<int32_t>(std::clamp(v, lo, hi)); }

bool AnchoredLeft(int32_t a) { return a >= kAnchorBottomLeft && a <= kAnchorTopLeft; }
bool AnchoredRight(int32_t a) { return a >= kAnchorTopRight && a <= kAnchorBottomRight; }
bool AnchoredBottom(int32_t a) { return a >= kAnchorBottomRight && a <= kAnchorBottomLeft; }
bool AnchoredMiddle(int32_t a) { return a == kAnchorCenter || a == kAnchorRight || a == kAnchorLeft; }
bool CentredColumn(int32_t a) { return a == kAnchorCenter || a == kAnchorTop || a == kAnchorBottom; }

// Position of a w x h box on a W x H paper before the offsets.
void Place(int32_t anchor, int32_t W, int32_t H, int32_t w, int32_t h, int32_t& x, int32_t& y) {
  x = AnchoredLeft(anchor) ? 0 : AnchoredRight(anchor) ? W - w : W / 2 - w / 2;
  y = AnchoredMiddle(anchor) ? H / 2 - h / 2 : AnchoredBottom(anchor) ? H - h : 0;
}

int32_t AdjustedExtent(int32_t flags, int32_t adjustFlag, int32_t adjust, int32_t paper, int32_t picture,
                       const DpiScale& px) {
  int64_t extent = picture;
  if (flags & adjustFlag) {
    extent = (flags & kImageAdjustPercent) ? paper + static_cast<int64_t>(paper) * adjust / 100
                                           : static_cast<int64_t>(paper) + px(Clamp(adjust, -kMaxBoxSize, kMaxBoxSize));
    if ((flags & 3) == kImageOriginalSize) extent = std::min<int64_t>(extent, picture);
  }
  return Clamp(extent, -1, kMaxBoxSize);
}

void Include(SkinRect& r, const SkinRect& box) {
  r.left = std::min(r.left, box.left);
  r.top = std::min(r.top, box.top);
  r.right = std::max(r.right, box.right);
  r.bottom = std::max(r.bottom, box.bottom);
}

}  // namespace

void PaperSizeFor(const Skin& skin, int32_t& width, int32_t& height, uint32_t dpi) {
  if (skin.fixedSize()) {
    width = ScaleToDpi(std::clamp(skin.paper().u.paper.fixedWidth, 0, kMaxPaperSize), dpi);
    height = ScaleToDpi(std::clamp(skin.paper().u.paper.fixedHeight, 0, kMaxPaperSize), dpi);
  }
  width = std::clamp(width, kMinPaperSize, kMaxPaperSize);
  height = std::clamp(height, kMinPaperSize, kMaxPaperSize);
}

SkinLayout LayOutSkin(const Skin& skin, int32_t paperWidth, int32_t paperHeight, std::vector<LAYERINFO>& infos,
                      uint32_t dpi) {
  infos.resize(skin.size());
  SkinLayout out;
  const DpiScale px(dpi);
  out.dpi = px.dpi();
  out.iconSize = px(kIconSize);
  out.borderWidth = px(1);
  const int32_t icon = out.iconSize;
  auto offset = [&](int32_t v) { return px(Clamp(v, -kMaxOffset, kMaxOffset)); };
  int32_t W = paperWidth, H = paperHeight;
  PaperSizeFor(skin, W, H, dpi);
  out.paperWidth = W;
  out.paperHeight = H;
  out.bounds = {0, 0, W, H};
  std::vector<SkinRect> boxes(skin.size());
  for (size_t i = 0; i < skin.size(); ++i) {
    const SLAYER& layer = skin.layer(i);
    SkinRect box;
    int32_t x = 0, y = 0;
    switch (layer.kind) {
      case kLayerNoteIcon:
      case kLayerLinkIcon:
        Place(layer.u.icon.anchor, W, H, icon, icon, x, y);
        x += offset(layer.u.icon.offsetX);
        y += offset(layer.u.icon.offsetY);
        box = {x, y, x + icon, y + icon};
        break;
      case kLayerImage: {
        const SLAYER_IMAGE& im = layer.u.image;
        const SkinImage* picture = skin.image(i);
        if (!picture) break;
        // The picture's own size is its size at 96 DPI.
        const int32_t pw = px(std::min(picture->width(), kMaxBoxSize)), ph = px(std::min(picture->height(), kMaxBoxSize));
        const int32_t w = AdjustedExtent(im.flags, kImageAdjustWidth, im.adjustWidth, W, pw, px);
        const int32_t h = AdjustedExtent(im.flags, kImageAdjustHeight, im.adjustHeight, H, ph, px);
        if (w <= 0 || h <= 0) break;
        Place(im.anchor, W, H, w, h, x, y);
        x += offset(im.offsetX);
        y += offset(im.offsetY);
        box = {x, y, x + w, y + h};
        break;
      }
      case kLayerText: {
        SkinRect text = TextRect(layer, {0, 0, W, H}, dpi);
        if (!text.empty()) Include(out.bounds, text);
        break;
      }
      default:
        break;
    }
    if (!box.empty()) Include(out.bounds, box);
    boxes[i] = box;
  }
  const int32_t bx = out.bounds.left, by = out.bounds.top;
  out.paper = {-bx, -by, W - bx, H - by};
  for (size_t i = 0; i < skin.size(); ++i) {
    const SkinRect& b = boxes[i];
    LAYERINFO& info = infos[i];
    info.left = b.empty() ? 0 : b.left - bx;
    info.top = b.empty() ? 0 : b.top - by;
    info.width = b.empty() ? 0 : b.width();
    info.height = b.empty() ? 0 : b.height();
  }
  out.useColorKey = skin.paper().condition != 0 || out.bounds != SkinRect{0, 0, W, H};
  return out;
}

SkinRect TextRect(const SLAYER& text, const SkinRect& paper, uint32_t dpi) {
  const SLAYER_TEXT& m = text.u.text;
  const DpiScale px(dpi);
  auto margin = [&](int32_t v) { return px(Clamp(v, -kMaxOffset, kMaxOffset)); };
  return {paper.left + margin(m.left), paper.top + margin(m.top), paper.right - margin(m.right),
          paper.bottom - margin(m.bottom)};
}

SkinRect PaperInWindowAt(const SkinLayout& layout, const SkinRect& suggestedWindow) {
  const RECT32 window = CentredOn({suggestedWindow.left, suggestedWindow.top, suggestedWindow.right,
                                   suggestedWindow.bottom},
                                  layout.windowWidth(), layout.windowHeight());
  const int32_t left = window.left + layout.paper.left, top = window.top + layout.paper.top;
  return {left, top, left + layout.paperWidth, top + layout.paperHeight};
}

SkinRect MarSource(int32_t anchor, int32_t iw, int32_t ih, int32_t w, int32_t h) {
  if (iw <= 0 || ih <= 0 || w <= 0 || h <= 0) return {0, 0, iw, ih};
  const int64_t V = static_cast<int64_t>(w) * ih / h;
  if (iw < V) {
    const int32_t U = std::max<int32_t>(1, static_cast<int32_t>(static_cast<int64_t>(h) * iw / w));
    const int32_t y = AnchoredMiddle(anchor) ? (ih - U) / 2 : AnchoredBottom(anchor) ? ih - U : 0;
    return {0, y, iw, y + U};
  }
  const int32_t band = std::max<int32_t>(1, static_cast<int32_t>(V));
  const int32_t x = AnchoredRight(anchor) ? iw - band : CentredColumn(anchor) ? (iw - band) / 2 : 0;
  return {x, 0, x + band, ih};
}

SkinRect OriginalSource(int32_t anchor, int32_t iw, int32_t ih, int32_t w, int32_t h) {
  w = std::min(w, iw);
  h = std::min(h, ih);
  const int32_t x = AnchoredRight(anchor) ? iw - w : CentredColumn(anchor) ? (iw - w) / 2 : 0;
  const int32_t y = AnchoredMiddle(anchor) ? (ih - h) / 2 : AnchoredBottom(anchor) ? ih - h : 0;
  return {x, y, x + w, y + h};
}

SkinRect RetainRatioSource(int32_t iw, int32_t ih, int32_t cw, int32_t ch) {
  if (iw <= 0 || ih <= 0 || cw <= 0 || ch <= 0) return {0, 0, iw, ih};
  if (static_cast<int64_t>(iw) * ch < static_cast<int64_t>(cw) * ih) {
    const int32_t h = std::max<int32_t>(1, static_cast<int32_t>(static_cast<int64_t>(iw) * ch / cw));
    return {0, 0, iw, h};  // too tall: keep the top
  }
  const int32_t w = std::max<int32_t>(1, static_cast<int32_t>(static_cast<int64_t>(ih) * cw / ch));
  const int32_t x = (iw - w) / 2;
  return {x, 0, x + w, ih};
}

int ResizeZone(const SkinRect& paper, int32_t x, int32_t y, int32_t band) {
  if (!paper.contains(x, y)) return 0;
  const SkinRect inner{paper.left + band, paper.top + band, paper.right - band, paper.bottom - band};
  if (inner.contains(x, y)) return 0;
  const int col = x < inner.left ? 0 : x >= inner.right ? 2 : 1;
  const int row = y < inner.top ? 0 : y >= inner.bottom ? 2 : 1;
  static const int zones[3][3] = {{4, 3, 5}, {1, 0, 2}, {7, 6, 8}};
  return zones[row][col];
}

namespace {
bool MovesLeft(int zone) { return zone == 1 || zone == 4 || zone == 7; }
bool MovesRight(int zone) { return zone == 2 || zone == 5 || zone == 8; }
bool MovesTop(int zone) { return zone == 3 || zone == 4 || zone == 5; }
bool MovesBottom(int zone) { return zone == 6 || zone == 7 || zone == 8; }
}  // namespace

SkinRect ResizeRect(const SkinRect& start, int zone, int32_t dx, int32_t dy) {
  SkinRect r = start;
  if (MovesLeft(zone)) r.left += dx;
  if (MovesRight(zone)) r.right += dx;
  if (MovesTop(zone)) r.top += dy;
  if (MovesBottom(zone)) r.bottom += dy;
  return r;
}

SkinRect EnforceMinimumSize(const SkinRect& rect, int zone, int32_t minimum) {
  SkinRect r = rect;
  const int32_t w = std::clamp(r.width(), minimum, kMaxPaperSize);
  const int32_t h = std::clamp(r.height(), minimum, kMaxPaperSize);
  if (w != r.width()) {
    if (MovesLeft(zone)) r.left = r.right - w;
    else r.right = r.left + w;
  }
  if (h != r.height()) {
    if (MovesTop(zone)) r.top = r.bottom - h;
    else r.bottom = r.top + h;
  }
  return r;
}

}  // namespace zavra
