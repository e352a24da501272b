#include "designer/SkinPackage.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <optional>

#include "skin/SkinNames.h"

namespace zavra {

namespace {

constexpr uint8_t kMagic[3] = {'Z', 'P', 'S'};
constexpr uint16_t kVersion = 1;
constexpr uint16_t kRecordLayer = 1;
constexpr uint16_t kRecordPicture = 2;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }
uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

void PutRecordHeader(std::vector<uint8_t>& out, uint16_t kind, size_t index, uint32_t length) {
  // The index is written for the reader's curiosity only; it is never read.
  const auto i = static_cast<uint16_t>(index);
  const uint8_t header[8] = {static_cast<uint8_t>(kind),        static_cast<uint8_t>(kind >> 8),
                             static_cast<uint8_t>(i),           static_cast<uint8_t>(i >> 8),
                             static_cast<uint8_t>(length),      static_cast<uint8_t>(length >> 8),
                             static_cast<uint8_t>(length >> 16), static_cast<uint8_t>(length >> 24)};
  out.insert(out.end(), header, header + 8);
}

// "name (n).ext" cut to fit a picture field.
std::u16string NumberedName(const std::u16string& name, int n) {
  const size_t dot = name.rfind(u'.');
  std::u16string stem = dot == std::u16string::npos || dot == 0 ? name : name.substr(0, dot);
  const std::u16string ext = stem.size() == name.size() ? std::u16string() : name.substr(stem.size());
  std::u16string suffix = u" (";
  for (char c : std::to_string(n)) suffix += static_cast<char16_t>(c);
  suffix += u')';
  // Room for the suffix and the extension, and the terminator.
  const size_t fixed = suffix.size() + ext.size(), room = kLayerTextChars - 1;
  if (stem.size() + fixed > room) stem.resize(room > fixed ? room - fixed : 0);
  return stem + suffix + ext;
}

}  // namespace

bool IsExtractableName(std::u16string_view name) {
  if (name.empty() || name.find_first_of(u"/\\:") != std::u16string_view::npos) return false;
  if (FoldCase(name) == u"layers") return false;
  return ResolvePicturePath(u"C:\\", name).has_value();
}

int ReadZps(std::span<const uint8_t> file, ZpsContents& out) {
  out = {};
  if (file.size() < kZpsHeaderSize) return kLayersTruncated;
  if (!std::equal(std::begin(kMagic), std::end(kMagic), file.begin()) || U16(file.data() + 3) != kVersion)
    return kLayersBadFormat;
  ZpsContents read;
  std::optional<size_t> lastLayer;
  size_t pos = kZpsHeaderSize;
  while (file.size() - pos >= kZpsRecordHeaderSize) {
    const uint16_t kind = U16(file.data() + pos);
    const uint32_t length = U32(file.data() + pos + 4);
    pos += kZpsRecordHeaderSize;
    const size_t left = file.size() - pos;
    if (length == 0) continue;
    if (kind == kRecordLayer) {
      if (read.layers.size() == kMaxZpsLayers) return kLayersBadFormat;
      const size_t take = std::min<size_t>(length, sizeof(SLAYER));
      if (left < take) return kLayersIoError;
      SLAYER layer = MakeLayer(0);
      std::memcpy(&layer, file.data() + pos, take);
      if (layer.kind == kLayerImage) {
        const std::u16string name = LayerText(layer.u.image.picture);
        if (!name.empty() && !IsExtractableName(name)) return kLayersBadFormat;
      }
      lastLayer = read.layers.size();
      read.layers.push_back(layer);
    } else if (kind == kRecordPicture && lastLayer && read.layers[*lastLayer].kind == kLayerImage) {
      std::u16string name = LayerText(read.layers[*lastLayer].u.image.picture);
      if (name.empty()) return kLayersBadFormat;
      if (left < length) return kLayersTruncated;
      read.pictures.push_back({std::move(name), file.subspan(pos, length)});
    }
    // Skipping past the end leaves nothing to read: the next header read ends the file.
    if (length >= left) break;
    pos += length;
  }
  if (read.layers.empty()) return kLayersBadFormat;
  out = std::move(read);
  return kLayersOk;
}

void AppendZpsHeader(std::vector<uint8_t>& out) {
  out.insert(out.end(), std::begin(kMagic), std::end(kMagic));
  out.push_back(static_cast<uint8_t>(kVersion));
  out.push_back(0);
}

void AppendZpsLayer(std::vector<uint8_t>& out, size_t index, const SLAYER& layer) {
  PutRecordHeader(out, kRecordLayer, index, sizeof(SLAYER));
  const auto* bytes = reinterpret_cast<const uint8_t*>(&layer);
  out.insert(out.end(), bytes, bytes + sizeof(SLAYER));
}

void AppendZpsPictureHeader(std::vector<uint8_t>& out, size_t index, uint32_t size) {
  PutRecordHeader(out, kRecordPicture, index, size);
}

bool PlanZpsExport(std::span<const SLAYER> drawingOrder, std::u16string_view skinFolder,
                   std::vector<ZpsExportLayer>& out) {
  out.clear();
  std::map<std::u16string, std::u16string> nameOfSource;  // folded source path -> stored name
  std::map<std::u16string, bool> takenNames;              // folded stored names
  takenNames[u"layers"] = true;
  for (const SLAYER& layer : drawingOrder) {
    ZpsExportLayer entry{layer, {}};
    const std::u16string name = layer.kind == kLayerImage ? LayerText(layer.u.image.picture) : std::u16string();
    if (!name.empty()) {
      const bool bare = name.find(u'\\') == std::u16string::npos;
      if (bare && skinFolder.empty()) return false;
      std::optional<std::u16string> source = ResolvePicturePath(skinFolder, name);
      if (!source) return false;
      const std::u16string key = FoldCase(*source);
      auto known = nameOfSource.find(key);
      if (known == nameOfSource.end()) {
        const std::u16string fileName = bare ? name : name.substr(name.rfind(u'\\') + 1);
        std::u16string stored = fileName;
        for (int n = 2; takenNames.count(FoldCase(stored)); ++n) stored = NumberedName(fileName, n);
        takenNames[FoldCase(stored)] = true;
        known = nameOfSource.emplace(key, stored).first;
      }
      SetLayerText(entry.layer.u.image.picture, known->second);
      entry.source = std::move(*source);
    }
    out.push_back(std::move(entry));
  }
  return true;
}

std::vector<uint8_t> WriteZps(const ZpsContents& contents) {
  std::vector<uint8_t> out;
  AppendZpsHeader(out);
  for (size_t i = 0; i < contents.layers.size(); ++i) {
    const SLAYER& layer = contents.layers[i];
    AppendZpsLayer(out, i, layer);
    if (layer.kind != kLayerImage) continue;
    const std::u16string name = LayerText(layer.u.image.picture);
    for (const ZpsPicture& picture : contents.pictures) {
      if (name.empty() || picture.name != name || picture.data.empty()) continue;
      AppendZpsPictureHeader(out, i, static_cast<uint32_t>(picture.data.size()));
      out.insert(out.end(), picture.data.begin(), picture.data.end());
      break;
    }
  }
  return out;
}

}  // namespace zavra
