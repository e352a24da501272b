#include "skin/SkinRenderer_win.h"

#include <algorithm>
#include <memory>

#include "framework/Dib.h"
#include "framework/GdiPlus.h"
#include "skin/SkinImage_win.h"

namespace zavra {

namespace {

constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t ToPixel(::COLORREF c) {
  return kOpaque | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

SkinRect Clip(const SkinRect& r, const SkinCanvas& canvas) {
  return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, canvas.width()), std::min(r.bottom, canvas.height())};
}

void Fill(SkinCanvas& canvas, const SkinRect& r, uint32_t pixel) {
  const SkinRect c = Clip(r, canvas);
  for (int32_t y = c.top; y < c.bottom; ++y)
    std::fill_n(canvas.pixels() + static_cast<size_t>(y) * canvas.width() + c.left, std::max(0, c.width()), pixel);
}

void Frame(SkinCanvas& canvas, const SkinRect& r, uint32_t pixel, int32_t width) {
  Fill(canvas, {r.left, r.top, r.right, r.top + width}, pixel);
  Fill(canvas, {r.left, r.bottom - width, r.right, r.bottom}, pixel);
  Fill(canvas, {r.left, r.top, r.left + width, r.bottom}, pixel);
  Fill(canvas, {r.right - width, r.top, r.right, r.bottom}, pixel);
}

// GDI writes zero alpha on every pixel it touches. Around a GDI call the region's alpha is set
// to 255 first; afterwards a pixel with alpha 0 (or a changed colour) was drawn and becomes
// opaque, and every other pixel gets its premultiplied value back.
class GdiScope {
 public:
  GdiScope(SkinCanvas& canvas, const SkinRect& region) : canvas_(canvas), r_(Clip(region, canvas)) {
    if (r_.empty()) return;
    saved_.reserve(static_cast<size_t>(r_.width()) * r_.height());
    ForEach([this](uint32_t& p) {
      saved_.push_back(p);
      p |= kOpaque;
    });
    ::GdiFlush();
  }
  GdiScope(const GdiScope&) = delete;
  GdiScope& operator=(const GdiScope&) = delete;
  ~GdiScope() {
    if (r_.empty()) return;
    ::GdiFlush();
    size_t i = 0;
    ForEach([this, &i](uint32_t& p) {
      const uint32_t before = saved_[i++];
      if ((p & kOpaque) == 0 || (p & 0xFFFFFF) != (before & 0xFFFFFF)) p |= kOpaque;
      else p = before;
    });
  }

 private:
  template <class F>
  void ForEach(F f) {
    for (int32_t y = r_.top; y < r_.bottom; ++y) {
      uint32_t* row = canvas_.pixels() + static_cast<size_t>(y) * canvas_.width();
      for (int32_t x = r_.left; x < r_.right; ++x) f(row[x]);
    }
  }
  SkinCanvas& canvas_;
  SkinRect r_;
  std::vector<uint32_t> saved_;
};

// GDI+ drawing straight into the canvas bits, blending premultiplied.
class PictureSurface {
 public:
  explicit PictureSurface(SkinCanvas& canvas) : canvas_(canvas) {}
  Gdiplus::Graphics* graphics() {
    if (!graphics_) {
      bitmap_ = std::make_unique<Gdiplus::Bitmap>(canvas_.width(), canvas_.height(), canvas_.width() * 4,
                                                  PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(canvas_.pixels()));
      graphics_ = std::make_unique<Gdiplus::Graphics>(bitmap_.get());
      graphics_->SetPageUnit(Gdiplus::UnitPixel);
      graphics_->SetCompositingMode(Gdiplus::CompositingModeSourceOver);
      graphics_->SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
      ok_ = graphics_->GetLastStatus() == Gdiplus::Ok;
    }
    return ok_ ? graphics_.get() : nullptr;
  }
  ~PictureSurface() {
    if (graphics_) graphics_->Flush(Gdiplus::FlushIntentionSync);
  }

 private:
  SkinCanvas& canvas_;
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  std::unique_ptr<Gdiplus::Graphics> graphics_;
  bool ok_ = false;
};

// Pictures enlarged for a high-DPI display take the smoother bicubic filter.
Gdiplus::InterpolationMode Smooth(uint32_t dpi) {
  return dpi == kBaseDpi ? Gdiplus::InterpolationModeHighQualityBilinear : Gdiplus::InterpolationModeHighQualityBicubic;
}

void DrawPiece(Gdiplus::Graphics& g, Gdiplus::Bitmap& picture, const SkinRect& dst, const SkinRect& src, bool scaled,
               uint32_t dpi) {
  g.SetInterpolationMode(scaled ? Smooth(dpi) : Gdiplus::InterpolationModeNearestNeighbor);
  // Mirrored edges keep a stretched picture's border from fading into transparency.
  Gdiplus::ImageAttributes attributes;
  attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
  g.DrawImage(&picture, Gdiplus::Rect(dst.left, dst.top, dst.width(), dst.height()), src.left, src.top, src.width(),
              src.height(), Gdiplus::UnitPixel, &attributes);
}

void DrawImageLayer(PictureSurface& surface, const SLAYER& layer, const SkinImage& image, const LAYERINFO& info,
                    uint32_t dpi) {
  if (info.width <= 0 || info.height <= 0) return;
  Gdiplus::Graphics* g = surface.graphics();
  if (!g) return;
  Gdiplus::Bitmap& picture = PictureOf(image).Frame(image.animated() ? info.frame : 0);
  const int32_t iw = image.width(), ih = image.height(), w = info.width, h = info.height;
  const SkinRect box{info.left, info.top, info.left + w, info.top + h};
  const int32_t anchor = layer.u.image.anchor;
  const int32_t mode = layer.u.image.flags & kImageModeMask;
  const bool scaled = dpi != kBaseDpi;
  if (mode == kImageTile) {
    // One brush fill, however many copies fit: a 1-pixel picture must not mean millions of draws.
    Gdiplus::TextureBrush brush(&picture, Gdiplus::WrapModeTile);
    brush.TranslateTransform(static_cast<Gdiplus::REAL>(box.left), static_cast<Gdiplus::REAL>(box.top));
    if (scaled) {
      const auto factor = static_cast<Gdiplus::REAL>(dpi) / kBaseDpi;
      brush.ScaleTransform(factor, factor);
    }
    g->SetInterpolationMode(scaled ? Gdiplus::InterpolationModeHighQualityBilinear
                                   : Gdiplus::InterpolationModeNearestNeighbor);
    g->FillRectangle(&brush, Gdiplus::Rect(box.left, box.top, w, h));
  } else if (mode == kImageCanvasMar) {
    DrawPiece(*g, picture, box, MarSource(anchor, iw, ih, w, h), true, dpi);
  } else if ((mode & 3) == kImageOriginalSize) {
    // The piece the box shows of the picture at 96 DPI, enlarged with the box.
    DrawPiece(*g, picture, box, OriginalSource(anchor, iw, ih, ScaleTo96(w, dpi), ScaleTo96(h, dpi)), scaled, dpi);
  } else {
    const bool same = w == iw && h == ih;
    DrawPiece(*g, picture, box, {0, 0, iw, ih}, !same, dpi);
  }
  g->Flush(Gdiplus::FlushIntentionSync);  // GDI draws into the same bits next
}

RECT ToRect(const SkinRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

}  // namespace

SkinCanvas::~SkinCanvas() {
  if (dc_ && original_) ::SelectObject(dc_.get(), original_);
}

bool SkinCanvas::Resize(int width, int height) {
  if (bitmap_ && width == width_ && height == height_) return true;
  if (width <= 0 || height <= 0) return false;
  if (!dc_) {
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!dc_) return false;
  }
  uint32_t* bits = nullptr;
  BitmapHandle bitmap = CreateTopDownDib(width, height, &bits, dc_.get());
  if (!bitmap) return false;
  HGDIOBJ previous = ::SelectObject(dc_.get(), bitmap.get());
  if (!original_) original_ = previous;
  bitmap_ = std::move(bitmap);
  bits_ = bits;
  width_ = width;
  height_ = height;
  return true;
}

::COLORREF VisibleColor(::COLORREF color, bool useColorKey) {
  return useColorKey && color == kSkinKeyColor ? color ^ kSkinKeyFlip : color;
}

bool RenderSkin(SkinCanvas& canvas, const Skin& skin, const SkinLayout& layout, const std::vector<LAYERINFO>& infos,
                const SkinColors& colors, uint32_t state, SkinPainter& painter) {
  if (!canvas.Resize(layout.windowWidth(), layout.windowHeight())) return false;
  // Without the key the paper covers the whole window, so only a keyed window needs clearing.
  if (layout.useColorKey) std::fill_n(canvas.pixels(), static_cast<size_t>(canvas.width()) * canvas.height(), 0u);
  const uint32_t paper = ToPixel(VisibleColor(colors.paper, layout.useColorKey));
  const uint32_t border = ToPixel(
      VisibleColor((state & kStateActive) ? colors.borderActive : colors.borderInactive, layout.useColorKey));
  PictureSurface surface(canvas);
  for (size_t i = 0; i < skin.size() && i < infos.size(); ++i) {
    const SLAYER& layer = skin.layer(i);
    if (!ConditionHolds(layer.condition, state)) continue;
    const LAYERINFO& info = infos[i];
    switch (layer.kind) {
      case kLayerPaper:
        Fill(canvas, layout.paper, paper);
        break;
      case kLayerBorder:
        Frame(canvas, layout.paper, border, layout.borderWidth);
        break;
      case kLayerNoteIcon:
      case kLayerLinkIcon:
        if (HICON icon = painter.IconForLayer(layer.kind)) {
          const int32_t size = layout.iconSize;
          const SkinRect box{info.left, info.top, info.left + size, info.top + size};
          GdiScope scope(canvas, box);
          ::DrawIconEx(canvas.dc(), box.left, box.top, icon, size, size, 0, nullptr, DI_NORMAL);
        }
        break;
      case kLayerImage:
        if (const SkinImage* image = skin.image(i)) DrawImageLayer(surface, layer, *image, info, layout.dpi);
        break;
      case kLayerText: {
        const SkinRect text = TextRect(layer, layout.paper, layout.dpi);
        if (text.empty()) break;
        // The window may draw beyond the rectangle (overhanging glyphs), so the whole image is watched.
        GdiScope scope(canvas, {0, 0, canvas.width(), canvas.height()});
        painter.DrawTextArea(canvas.dc(), ToRect(text));
        break;
      }
      default:
        break;
    }
  }
  if (layout.useColorKey) {
    // Whatever came out in the key colour is a hole, as the colour key would make it.
    const uint32_t key = ToPixel(kSkinKeyColor);
    uint32_t* p = canvas.pixels();
    for (size_t n = static_cast<size_t>(canvas.width()) * canvas.height(); n; --n, ++p)
      if (*p == key) *p = 0;
  }
  return true;
}

}  // namespace zavra
