#include "skin/SkinLayer.h"

#include <algorithm>
#include <cstring>

namespace zavra {

namespace {

constexpr uint8_t kMagic[4] = {'Q', 'S', 'L', 0x01};
constexpr uint16_t kRecordLayer = 1;

uint32_t ReadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}

void PutU16(std::vector<uint8_t>& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

}  // namespace

SLAYER MakeLayer(int32_t kind, int32_t condition) {
  SLAYER layer;
  std::memset(&layer, 0, sizeof layer);
  layer.kind = kind;
  layer.condition = condition;
  return layer;
}

std::u16string LayerText(const char16_t (&field)[kLayerTextChars]) {
  const char16_t* end = std::find(field, field + kLayerTextChars, u'\0');
  return std::u16string(field, end);
}

void SetLayerText(char16_t (&field)[kLayerTextChars], std::u16string_view text) {
  std::fill(field, field + kLayerTextChars, u'\0');
  const size_t n = std::min(text.size(), kLayerTextChars - 1);
  std::copy_n(text.begin(), n, field);
}

bool ConditionHolds(int32_t condition, uint32_t state) {
  const bool any = (static_cast<uint32_t>(condition) & state & kStateBits) != 0;
  return (condition & kConditionSense) ? any : !any;
}

std::vector<SLAYER> DefaultLayers() {
  std::vector<SLAYER> layers;
  SLAYER paper = MakeLayer(kLayerPaper);
  paper.u.paper.fixedWidth = 125;
  paper.u.paper.fixedHeight = 75;
  paper.u.paper.reservedColor1 = 0x00FFFFFF;
  paper.u.paper.reservedColor2 = 0x00FEEFFF;
  layers.push_back(paper);
  layers.push_back(MakeLayer(kLayerBorder));
  SLAYER text = MakeLayer(kLayerText);
  text.u.text = {1, 1, 1, 1};
  layers.push_back(text);
  SLAYER link = MakeLayer(kLayerLinkIcon);
  link.u.icon = {kAnchorBottomRight, -3, -3};
  layers.push_back(link);
  SLAYER note = MakeLayer(kLayerNoteIcon);
  note.u.icon = {kAnchorBottomLeft, 3, -3};
  layers.push_back(note);
  return layers;
}

int ReadLayers(std::span<const uint8_t> file, std::vector<SLAYER>& out) {
  out.clear();
  if (file.size() < kLayersHeaderSize) return kLayersTruncated;
  // The version's high byte is not checked, as the format has always been read.
  if (!std::equal(std::begin(kMagic), std::end(kMagic), file.begin())) return kLayersBadFormat;
  size_t pos = kLayersHeaderSize;
  std::vector<SLAYER> layers;
  while (file.size() - pos >= kRecordHeaderSize) {
    const uint8_t* header = file.data() + pos;
    const uint16_t kind = static_cast<uint16_t>(header[0] | header[1] << 8);
    const uint32_t length = ReadU32(header + 4);
    pos += kRecordHeaderSize;
    const size_t left = file.size() - pos;
    if (length == 0) continue;
    if (kind == kRecordLayer) {
      const size_t take = std::min<size_t>(length, sizeof(SLAYER));
      if (left < take) return kLayersIoError;
      SLAYER layer = MakeLayer(0);
      std::memcpy(&layer, file.data() + pos, take);
      layers.push_back(layer);
    }
    // Skipping past the end is a seek that succeeds; the next header read then ends the list.
    if (length >= left) break;
    pos += length;
  }
  if (layers.empty()) return kLayersBadFormat;
  out = std::move(layers);
  return kLayersOk;
}

std::vector<uint8_t> WriteLayers(std::span<const SLAYER> layers) {
  std::vector<uint8_t> out(std::begin(kMagic), std::end(kMagic));
  out.push_back(0x00);
  out.reserve(kLayersHeaderSize + layers.size() * (kRecordHeaderSize + sizeof(SLAYER)));
  uint16_t ordinal = 0;
  for (const SLAYER& layer : layers) {
    PutU16(out, kRecordLayer);
    PutU16(out, ordinal++);
    PutU32(out, sizeof(SLAYER));
    const auto* bytes = reinterpret_cast<const uint8_t*>(&layer);
    out.insert(out.end(), bytes, bytes + sizeof(SLAYER));
  }
  return out;
}

}  // namespace zavra
