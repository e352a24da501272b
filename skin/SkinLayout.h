#pragma once
// The arithmetic of a skinned window: where each layer goes around the paper, which part of a
// picture is drawn, and how the mouse resizes the paper.
#include <cstdint>
#include <vector>

#include "framework/DpiScale.h"
#include "skin/SkinLayer.h"

namespace zavra {

class Skin;

struct SkinRect {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
  int32_t width() const { return right - left; }
  int32_t height() const { return bottom - top; }
  bool empty() const { return right <= left || bottom <= top; }
  bool contains(int32_t x, int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
  bool operator==(const SkinRect&) const = default;
};

// Per-window placement of one layer (window coordinates, pixels).
struct LAYERINFO {
  int32_t left = 0;
  int32_t top = 0;
  int32_t width = 0;
  int32_t height = 0;
  bool timerRunning = false;
  uint32_t frame = 0;
};

// Limits that keep a damaged skin or note record from asking for an absurd window.
inline constexpr int32_t kMinPaperSize = 32;
inline constexpr int32_t kMaxPaperSize = 4096;
inline constexpr int32_t kMaxOffset = 999;   // the designer's range for offsets and margins
inline constexpr int32_t kMaxBoxSize = 4096;
inline constexpr int32_t kIconSize = 16;

// A skin is designed at 96 DPI: its offsets, margins, icons, pictures and fixed paper size are
// scaled to the window's DPI; the paper size a window asks for is pixels already.
struct SkinLayout {
  uint32_t dpi = kBaseDpi;
  int32_t iconSize = kIconSize;  // at the DPI
  int32_t borderWidth = 1;
  int32_t paperWidth = 0;
  int32_t paperHeight = 0;
  SkinRect paper;   // window coordinates
  SkinRect bounds;  // everything drawn, relative to the paper's top-left corner
  bool useColorKey = false;
  int32_t windowWidth() const { return bounds.width(); }
  int32_t windowHeight() const { return bounds.height(); }
};

// The paper size a window of this skin has at `dpi`: the skin's fixed size, else the window's own.
void PaperSizeFor(const Skin& skin, int32_t& width, int32_t& height, uint32_t dpi = kBaseDpi);

// Places every layer (boxes written into `infos`, which has one entry per layer; frame and
// timer fields are left alone) and returns the window geometry.
SkinLayout LayOutSkin(const Skin& skin, int32_t paperWidth, int32_t paperHeight, std::vector<LAYERINFO>& infos,
                      uint32_t dpi = kBaseDpi);

// The text rectangle of a Text layer in window coordinates (may be empty).
SkinRect TextRect(const SLAYER& text, const SkinRect& paper, uint32_t dpi = kBaseDpi);

// Where the paper goes when the window of `layout` is placed centred on `suggestedWindow` (the
// system's rectangle for a move to a monitor of another DPI); screen coordinates.
SkinRect PaperInWindowAt(const SkinLayout& layout, const SkinRect& suggestedWindow);

// The part of a picture drawn into a w x h box in "Canvas Size (MAR)" and "Original Size".
SkinRect MarSource(int32_t anchor, int32_t iw, int32_t ih, int32_t w, int32_t h);
SkinRect OriginalSource(int32_t anchor, int32_t iw, int32_t ih, int32_t w, int32_t h);

// The piece of a picture shown by a preview control of size cw x ch in stretched mode with
// "retain ratio": cropped to the control's aspect, from the top when too tall, centred when too wide.
SkinRect RetainRatioSource(int32_t iw, int32_t ih, int32_t cw, int32_t ch);

// Resize zones: 0 none, 1 left, 2 right, 3 top, 4 top-left, 5 top-right, 6 bottom,
// 7 bottom-left, 8 bottom-right. The band is kResizeBand at 96 DPI.
inline constexpr int32_t kResizeBand = 5;
int ResizeZone(const SkinRect& paper, int32_t x, int32_t y, int32_t band = kResizeBand);
// Moves the edges that the zone names by the cursor's travel.
SkinRect ResizeRect(const SkinRect& start, int zone, int32_t dx, int32_t dy);
// Raises a width or height below the minimum by moving the dragged edge back.
SkinRect EnforceMinimumSize(const SkinRect& rect, int zone, int32_t minimum = kMinPaperSize);

}  // namespace zavra
