#include "skin/SkinImage_win.h"

#include <shlwapi.h>

#include <algorithm>

#include "skin/LayersFile_win.h"

namespace zavra {

namespace {

// Larger files are not pictures a skin would use; reading them would only cost memory.
constexpr size_t kMaxPictureFile = 64u << 20;

ComPtr<IStream> FileStream(const std::wstring& path) {
  ComPtr<IStream> stream;
  std::optional<std::vector<uint8_t>> bytes = ReadWholeFile(path, kMaxPictureFile);
  // A copy in memory leaves the file free for the designer to replace.
  if (bytes && !bytes->empty()) *stream.put() = ::SHCreateMemStream(bytes->data(), static_cast<UINT>(bytes->size()));
  return stream;
}

std::vector<uint32_t> FrameDelays(Gdiplus::Bitmap& bitmap) {
  std::vector<uint32_t> delays;
  const UINT size = bitmap.GetPropertyItemSize(PropertyTagFrameDelay);
  if (size < sizeof(Gdiplus::PropertyItem)) return delays;
  std::vector<uint8_t> buffer(size);
  auto* item = reinterpret_cast<Gdiplus::PropertyItem*>(buffer.data());
  if (bitmap.GetPropertyItem(PropertyTagFrameDelay, size, item) != Gdiplus::Ok || !item->value) return delays;
  const size_t available = size - (static_cast<uint8_t*>(item->value) - buffer.data());
  const size_t count = std::min<size_t>(item->length, available) / sizeof(uint32_t);
  const auto* values = static_cast<const uint32_t*>(item->value);
  delays.assign(values, values + count);
  return delays;
}

}  // namespace

Gdiplus::Bitmap& GdiplusPicture::Frame(uint32_t frame) {
  frame %= frames();
  if (frame != selected_ && bitmap_->SelectActiveFrame(&kFrameDimensionTime, frame) == Gdiplus::Ok) selected_ = frame;
  return *bitmap_;
}

std::unique_ptr<GdiplusPicture> DecodePicture(const std::wstring& path) {
  ComPtr<IStream> stream = FileStream(path);
  if (!stream) return nullptr;
  std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream.get()));
  if (!bitmap || bitmap->GetLastStatus() != Gdiplus::Ok) return nullptr;
  const UINT width = bitmap->GetWidth(), height = bitmap->GetHeight();
  if (width == 0 || height == 0 || width > 32767 || height > 32767) return nullptr;
  UINT frames = bitmap->GetFrameCount(&kFrameDimensionTime);
  if (frames == 0) frames = 1;
  std::vector<uint32_t> delays = frames > 1 ? FrameDelays(*bitmap) : std::vector<uint32_t>{};
  return std::make_unique<GdiplusPicture>(std::move(stream), std::move(bitmap), static_cast<int>(width),
                                          static_cast<int>(height), frames, std::move(delays));
}

GdiplusPicture& PictureOf(const SkinImage& image) { return static_cast<GdiplusPicture&>(image.picture()); }

}  // namespace zavra
