#pragma once
// Draws a laid-out skin bottom to top into one 32-bit premultiplied image, ready to be handed
// to UpdateLayeredWindow with per-pixel alpha.
#include <cstdint>
#include <vector>

#include "framework/Handles.h"
#include "skin/Skin.h"
#include "skin/SkinLayout.h"

namespace zavra {

inline constexpr ::COLORREF kSkinKeyColor = 0x00FEEFFF;
inline constexpr ::COLORREF kSkinKeyFlip = 0x011000;

// A top-down 32-bit DIB section selected into a memory DC.
class SkinCanvas {
 public:
  SkinCanvas() = default;
  SkinCanvas(const SkinCanvas&) = delete;
  SkinCanvas& operator=(const SkinCanvas&) = delete;
  ~SkinCanvas();

  // Keeps the bitmap when the size is unchanged; false when it cannot be made.
  bool Resize(int width, int height);
  HDC dc() const { return dc_.get(); }
  uint32_t* pixels() const { return bits_; }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  MemoryDC dc_;
  BitmapHandle bitmap_;
  HGDIOBJ original_ = nullptr;
  uint32_t* bits_ = nullptr;
  int width_ = 0;
  int height_ = 0;
};

struct SkinColors {
  ::COLORREF paper = 0x00FFFFFF;
  ::COLORREF borderActive = 0;
  ::COLORREF borderInactive = 0x00808080;
};

// What the window supplies while its skin is drawn.
class SkinPainter {
 public:
  virtual HICON IconForLayer(int32_t kind) = 0;
  virtual void DrawTextArea(HDC dc, const RECT& text) = 0;

 protected:
  ~SkinPainter() = default;
};

// The colour a Paper or Border is drawn in: a colour equal to the key would vanish.
::COLORREF VisibleColor(::COLORREF color, bool useColorKey);

// Draws every visible layer for the given state. Key-coloured pixels come out fully transparent.
bool RenderSkin(SkinCanvas& canvas, const Skin& skin, const SkinLayout& layout, const std::vector<LAYERINFO>& infos,
                const SkinColors& colors, uint32_t state, SkinPainter& painter);

}  // namespace zavra
