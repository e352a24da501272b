#pragma once
// The portable skin file ".zps": a skin's layer records and the picture files its Image
// layers name, in one file. Little-endian: "ZPS", version 1, then records of an 8-byte header
// (kind, index, length) and their data: kind 1 a 560-byte layer, kind 2 the whole picture
// file of the Image layer before it.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "skin/SkinLayer.h"

namespace zavra {

inline constexpr size_t kZpsHeaderSize = 5;
inline constexpr size_t kZpsRecordHeaderSize = 8;
// Far more layers than any skin has; each one read costs a record in memory.
inline constexpr size_t kMaxZpsLayers = 1024;
inline constexpr uint64_t kMaxZpsPicture = 0xFFFFFFFFu;

struct ZpsPicture {
  std::u16string name;             // a plain file name
  std::span<const uint8_t> data;   // inside the bytes that were read
};

struct ZpsContents {
  std::vector<SLAYER> layers;  // drawing order, as stored
  std::vector<ZpsPicture> pictures;
};

// Reads a whole ".zps" file; `out` is filled only on success. Results (those of the layers
// reader): kLayersTruncated for a short header or picture data that ends early;
// kLayersBadFormat for a wrong header, no layer, more than kMaxZpsLayers layers, or an Image
// name that is not a plain file name; kLayersIoError for a layer record cut short.
int ReadZps(std::span<const uint8_t> file, ZpsContents& out);

// Whether a picture name from a ".zps" file may become a file of the new skin's folder: a
// plain file name (no folder, drive or stream part) other than "layers".
bool IsExtractableName(std::u16string_view name);

// The pieces of a ".zps" file; picture bytes go between them.
void AppendZpsHeader(std::vector<uint8_t>& out);
void AppendZpsLayer(std::vector<uint8_t>& out, size_t index, const SLAYER& layer);
void AppendZpsPictureHeader(std::vector<uint8_t>& out, size_t index, uint32_t size);

// One layer as export writes it: picture names reduced to the name stored in the file, and
// the file whose bytes follow the layer.
struct ZpsExportLayer {
  SLAYER layer;
  std::u16string source;  // empty: no picture data
};

// Plans the export of a skin (layers bottom first; `skinFolder` empty while untitled). Two
// different files with the same name get unique names ("x (2).png"); the same file keeps one.
// False when a picture name cannot be used: such a name would read a file outside the skin.
bool PlanZpsExport(std::span<const SLAYER> drawingOrder, std::u16string_view skinFolder,
                   std::vector<ZpsExportLayer>& out);

// A whole file in memory: each layer, and after an Image layer the first picture of its name.
std::vector<uint8_t> WriteZps(const ZpsContents& contents);

}  // namespace zavra
