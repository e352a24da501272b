#pragma once
// Pictures decoded with GDI+: the platform half of SkinImage.
#include <memory>
#include <string>

#include "framework/GdiPlus.h"
#include "framework/Handles.h"
#include "skin/Skin.h"

namespace zavra {

// GDI+'s time dimension of animated pictures (FrameDimensionTime), spelled out here because
// the import libraries do not all carry it.
inline constexpr GUID kFrameDimensionTime = {0x6aedbd6d, 0x3fb5, 0x418a, {0x83, 0xa6, 0x7f, 0x45, 0x22, 0x9d, 0xc8, 0x72}};

class GdiplusPicture : public DecodedPicture {
 public:
  GdiplusPicture(ComPtr<IStream> stream, std::unique_ptr<Gdiplus::Bitmap> bitmap, int width, int height,
                 uint32_t frames, std::vector<uint32_t> delays)
      : DecodedPicture(width, height, frames, std::move(delays)),
        stream_(std::move(stream)),
        bitmap_(std::move(bitmap)) {}
  // The bitmap showing the given frame of an animated picture.
  Gdiplus::Bitmap& Frame(uint32_t frame);

 private:
  ComPtr<IStream> stream_;  // GDI+ reads from it for the bitmap's whole life
  std::unique_ptr<Gdiplus::Bitmap> bitmap_;
  uint32_t selected_ = 0;
};

// Decodes BMP, GIF, JPEG, PNG or TIFF; null when the file is missing, too large or not a picture.
// GDI+ must be running.
std::unique_ptr<GdiplusPicture> DecodePicture(const std::wstring& path);

// The GDI+ side of a picture from the lists.
GdiplusPicture& PictureOf(const SkinImage& image);

}  // namespace zavra
