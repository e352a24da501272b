#pragma once
// Resizing small premultiplied 32-bit images (icons of the icon strip) for another DPI. Every
// channel is treated alike, so any byte order works.
#include <cstdint>
#include <span>
#include <vector>

namespace zavra {

// `source` holds width x height pixels row by row; the result holds newWidth x newHeight.
// Whole-number enlargements repeat pixels, so a 16-pixel icon stays crisp at 200 %; other
// enlargements interpolate between the four nearest pixels, reductions average the pixels
// each new one covers. An empty source or size gives an empty result.
std::vector<uint32_t> ScalePixels(std::span<const uint32_t> source, int32_t width, int32_t height, int32_t newWidth,
                                  int32_t newHeight);

}  // namespace zavra
