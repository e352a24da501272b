#pragma once
// The layer record of a skin and the "layers" file that holds a skin's layers. The record is
// stored byte for byte, so its layout is checked at compile time.
#include <bit>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace zavra {

static_assert(std::endian::native == std::endian::little, "skin files are little-endian as stored");

enum LayerKind : int32_t {
  kLayerPaper = 1,
  kLayerBorder = 2,
  kLayerNoteIcon = 11,
  kLayerLinkIcon = 12,
  kLayerImage = 21,
  kLayerText = 31,
};

// Note states that layer conditions test; bit 0 of a condition selects its sense.
enum SkinState : uint32_t {
  kStateActive = 0x10,
  kStatePopup = 0x80,
  kStateAlarm = 0x100,
  kStateBits = kStateActive | kStatePopup | kStateAlarm,
};
inline constexpr int32_t kConditionSense = 1;

// Display flags of an Image layer.
enum ImageFlag : int32_t {
  kImageModeMask = 0x07,
  kImageOriginalSize = 0,
  kImageCanvasSize = 1,
  kImageTile = 2,
  kImageCanvasMar = 5,
  kImageAdjustWidth = 0x10,
  kImageAdjustHeight = 0x20,
  kImageAdjustPercent = 0x40,
};

// Anchors in the order of the designer's "Position:" list.
enum Anchor : int32_t {
  kAnchorCenter = 0,
  kAnchorTop = 1,
  kAnchorTopRight = 2,
  kAnchorRight = 3,
  kAnchorBottomRight = 4,
  kAnchorBottom = 5,
  kAnchorBottomLeft = 6,
  kAnchorLeft = 7,
  kAnchorTopLeft = 8,
};

inline constexpr size_t kLayerTextChars = 260;  // 259 characters and the terminator

struct SLAYER_PAPER {
  int32_t sizeMode;  // bit 0: "Fixed:"
  int32_t fixedWidth;
  int32_t fixedHeight;
  uint32_t reservedColor1;
  uint32_t reservedColor2;
  char16_t comment[kLayerTextChars];
  uint8_t unused[12];
};

struct SLAYER_ICON {
  int32_t anchor;
  int32_t offsetX;
  int32_t offsetY;
};

struct SLAYER_TEXT {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
};

struct SLAYER_IMAGE {
  int32_t flags;
  int32_t anchor;
  int32_t offsetX;
  int32_t offsetY;
  int32_t adjustWidth;
  int32_t adjustHeight;
  int32_t animCondition;
  int32_t reserved;
  char16_t picture[kLayerTextChars];
};

struct SLAYER {
  int32_t kind;
  int32_t condition;
  union {
    SLAYER_PAPER paper;
    SLAYER_ICON icon;
    SLAYER_TEXT text;
    SLAYER_IMAGE image;
    uint8_t raw[552];
  } u;
};

static_assert(sizeof(SLAYER) == 560);
static_assert(sizeof(SLAYER_PAPER) == 552);
static_assert(sizeof(SLAYER_IMAGE) == 552);
static_assert(offsetof(SLAYER, u) == 8);
static_assert(offsetof(SLAYER_PAPER, reservedColor1) == 20 - 8);
static_assert(offsetof(SLAYER_PAPER, comment) == 28 - 8);
static_assert(offsetof(SLAYER_IMAGE, animCondition) == 32 - 8);
static_assert(offsetof(SLAYER_IMAGE, picture) == 40 - 8);

// A zero-filled record of the given kind.
SLAYER MakeLayer(int32_t kind, int32_t condition = 0);

// The text of a comment or picture field; a field without terminator ends at its size.
std::u16string LayerText(const char16_t (&field)[kLayerTextChars]);
// Stores at most 259 characters and the terminator; the rest of the field is zeroed.
void SetLayerText(char16_t (&field)[kLayerTextChars], std::u16string_view text);

// Whether a layer with this condition is drawn (or an Image animates) in the given state.
bool ConditionHolds(int32_t condition, uint32_t state);

// The built-in default skin, bottom layer first.
std::vector<SLAYER> DefaultLayers();

// Results of the file routines.
enum LayersResult : int {
  kLayersOk = 0,
  kLayersTruncated = -2,
  kLayersBadFormat = -3,  // wrong magic or version, or no layer record
  kLayersIoError = -4,    // cannot open, read or write (a record body shorter than it says)
};

inline constexpr size_t kLayersHeaderSize = 5;
inline constexpr size_t kRecordHeaderSize = 8;

// Reads a whole "layers" file. `out` holds the layer records in file order when the result is 0.
int ReadLayers(std::span<const uint8_t> file, std::vector<SLAYER>& out);

// The bytes of a "layers" file holding these layers, bottom-most first.
std::vector<uint8_t> WriteLayers(std::span<const SLAYER> layers);

}  // namespace zavra
