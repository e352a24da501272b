#include "skin/PixelScale.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace zavra {

namespace {

using Channels = std::array<double, 4>;

Channels Split(uint32_t p) {
  return {double(p & 0xFF), double(p >> 8 & 0xFF), double(p >> 16 & 0xFF), double(p >> 24 & 0xFF)};
}

uint32_t Join(const Channels& c) {
  uint32_t p = 0;
  for (int i = 0; i < 4; ++i) p |= static_cast<uint32_t>(std::clamp(std::lround(c[i]), 0L, 255L)) << (8 * i);
  return p;
}

// Where a new pixel's centre falls among the old ones, kept inside the image.
void Sample(double centre, int32_t size, int32_t& low, int32_t& high, double& weight) {
  const double at = std::clamp(centre - 0.5, 0.0, static_cast<double>(size - 1));
  low = static_cast<int32_t>(std::floor(at));
  high = std::min(low + 1, size - 1);
  weight = at - low;
}

}  // namespace

std::vector<uint32_t> ScalePixels(std::span<const uint32_t> source, int32_t width, int32_t height, int32_t newWidth,
                                  int32_t newHeight) {
  if (width <= 0 || height <= 0 || newWidth <= 0 || newHeight <= 0 ||
      source.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
    return {};
  std::vector<uint32_t> out(static_cast<size_t>(newWidth) * static_cast<size_t>(newHeight));
  auto at = [&](int32_t x, int32_t y) { return source[static_cast<size_t>(y) * width + x]; };
  const bool whole = newWidth % width == 0 && newHeight % height == 0;
  const bool reduce = newWidth < width || newHeight < height;
  const double sx = double(width) / newWidth, sy = double(height) / newHeight;
  for (int32_t y = 0; y < newHeight; ++y) {
    for (int32_t x = 0; x < newWidth; ++x) {
      uint32_t& pixel = out[static_cast<size_t>(y) * newWidth + x];
      if (whole) {
        pixel = at(x * width / newWidth, y * height / newHeight);
      } else if (reduce) {
        // The average of the old pixels the new one covers, each by the share it covers.
        const double x0 = x * sx, x1 = (x + 1) * sx, y0 = y * sy, y1 = (y + 1) * sy;
        Channels sum{};
        double total = 0;
        for (int32_t v = static_cast<int32_t>(y0); v < height && v < y1; ++v) {
          const double h = std::min<double>(v + 1, y1) - std::max<double>(v, y0);
          for (int32_t u = static_cast<int32_t>(x0); u < width && u < x1; ++u) {
            const double w = (std::min<double>(u + 1, x1) - std::max<double>(u, x0)) * h;
            const Channels c = Split(at(u, v));
            for (int i = 0; i < 4; ++i) sum[i] += c[i] * w;
            total += w;
          }
        }
        for (double& c : sum) c = total > 0 ? c / total : 0;
        pixel = Join(sum);
      } else {
        int32_t u0, u1, v0, v1;
        double wx, wy;
        Sample((x + 0.5) * sx, width, u0, u1, wx);
        Sample((y + 0.5) * sy, height, v0, v1, wy);
        const Channels a = Split(at(u0, v0)), b = Split(at(u1, v0)), c = Split(at(u0, v1)), d = Split(at(u1, v1));
        Channels mix{};
        for (int i = 0; i < 4; ++i)
          mix[i] = (a[i] * (1 - wx) + b[i] * wx) * (1 - wy) + (c[i] * (1 - wx) + d[i] * wx) * wy;
        pixel = Join(mix);
      }
    }
  }
  return out;
}

}  // namespace zavra
