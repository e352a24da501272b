#pragma once
// The note and category records. The fixed parts are stored in the files byte for byte,
// so their layout is checked at compile time; the strings and lists follow as tagged records.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace zavra {

// Layout-identical stand-ins for the Windows types, so the core builds without <windows.h>.
using COLORREF = uint32_t;  // 0x00BBGGRR

struct LOGFONTW {
  int32_t lfHeight = 0;
  int32_t lfWidth = 0;
  int32_t lfEscapement = 0;
  int32_t lfOrientation = 0;
  int32_t lfWeight = 0;
  uint8_t lfItalic = 0;
  uint8_t lfUnderline = 0;
  uint8_t lfStrikeOut = 0;
  uint8_t lfCharSet = 0;
  uint8_t lfOutPrecision = 0;
  uint8_t lfClipPrecision = 0;
  uint8_t lfQuality = 0;
  uint8_t lfPitchAndFamily = 0;
  char16_t lfFaceName[32] = {};
};
static_assert(sizeof(LOGFONTW) == 92);
static_assert(offsetof(LOGFONTW, lfWeight) == 16);
static_assert(offsetof(LOGFONTW, lfFaceName) == 28);

struct RECT32 {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = 0;
  int32_t bottom = 0;
};
static_assert(sizeof(RECT32) == 16);

// Note flag bits.
enum NoteFlag : uint32_t {
  kNoteOnCalendar = 0x0001,
  kNoteScheduled = 0x0002,
  kNoteOpenEnded = 0x0004,
  kNoteLaunchLink = 0x0008,
  kNoteOwnTextColor = 0x0020,
  kNoteOwnFont = 0x0040,
  kNoteTransient = 0x0080,
  kNoteNoWindow = 0x0200,
  kNoteOwnPaperColor = 0x0400,
  kNoteOwnIcon = 0x0800,
  kNoteNoSound = 0x1000,
  kNoteOwnSkin = 0x2000,
  kNoteOwnCosmetics = 0x2460,
  kNotePortableFlags = 0x0C67,
};

// Recurrence kinds as stored in repeatKind.
enum RepeatKind : uint8_t {
  kRepeatNone = 1,
  kRepeatDaily = 30,
  kRepeatWeekly = 60,
  kRepeatMonthlyByDay = 90,
  kRepeatMonthlyByWeekday = 91,
  kRepeatYearlyByDay = 120,
  kRepeatYearlyByWeekday = 121,
};

// The 176-byte fixed part of a note, exactly as in the note file.
struct NOTE_PAD_FIXED {
  uint32_t id = 0;
  uint32_t flags = 0;
  uint16_t category = 1;
  uint8_t reserved1[6] = {};
  int64_t created = 0;
  int64_t start = 0;
  int64_t end = 0;
  int32_t timeFrom = 0;
  int32_t timeTo = 0;
  uint8_t repeatKind = kRepeatNone;
  uint8_t repeatInterval = 1;
  uint16_t repeatParam = 0;
  uint16_t reserved2 = 0;
  uint16_t icon = 0;
  COLORREF paperColor = 0;
  COLORREF textColor = 0;
  RECT32 rect;
  LOGFONTW font;
  uint8_t reserved3[4] = {};
};
static_assert(sizeof(NOTE_PAD_FIXED) == 176);
static_assert(offsetof(NOTE_PAD_FIXED, flags) == 4);
static_assert(offsetof(NOTE_PAD_FIXED, category) == 8);
static_assert(offsetof(NOTE_PAD_FIXED, created) == 16);
static_assert(offsetof(NOTE_PAD_FIXED, start) == 24);
static_assert(offsetof(NOTE_PAD_FIXED, end) == 32);
static_assert(offsetof(NOTE_PAD_FIXED, timeFrom) == 40);
static_assert(offsetof(NOTE_PAD_FIXED, timeTo) == 44);
static_assert(offsetof(NOTE_PAD_FIXED, repeatKind) == 48);
static_assert(offsetof(NOTE_PAD_FIXED, repeatInterval) == 49);
static_assert(offsetof(NOTE_PAD_FIXED, repeatParam) == 50);
static_assert(offsetof(NOTE_PAD_FIXED, icon) == 54);
static_assert(offsetof(NOTE_PAD_FIXED, paperColor) == 56);
static_assert(offsetof(NOTE_PAD_FIXED, textColor) == 60);
static_assert(offsetof(NOTE_PAD_FIXED, rect) == 64);
static_assert(offsetof(NOTE_PAD_FIXED, font) == 80);
static_assert(offsetof(NOTE_PAD_FIXED, reserved3) == 172);

// A note: the fixed part plus its variable part.
struct NOTE_PAD : NOTE_PAD_FIXED {
  std::u16string text;
  std::u16string link;   // a path, a URL or "note:<id>"
  std::u16string sound;  // wave file; empty = the category's sound
  std::u16string skin;   // skin title; used with kNoteOwnSkin
  std::vector<uint32_t> excludes;  // date keys year << 16 | month << 8 | day
};

// Category flag bits.
enum CategoryFlag : uint32_t {
  kCateDefaultViewMask = 0x00FF,
  kCateNotOfInterest = 0x0100,
  kCateAutoDelete = 0x0400,
  kCateTemporary = 0x0800,
};

// The 116-byte fixed part of a category, exactly as in the category file.
struct NOTE_CATE_FIXED {
  uint32_t id = 0;
  uint16_t reserved = 0;
  uint16_t icon = 0;
  uint32_t flags = kCateAutoDelete;
  COLORREF textColor = 0;
  COLORREF paperColor = 0xF0F0F0;
  uint32_t variation = 15;
  LOGFONTW font;
};
static_assert(sizeof(NOTE_CATE_FIXED) == 116);
static_assert(offsetof(NOTE_CATE_FIXED, icon) == 6);
static_assert(offsetof(NOTE_CATE_FIXED, flags) == 8);
static_assert(offsetof(NOTE_CATE_FIXED, textColor) == 12);
static_assert(offsetof(NOTE_CATE_FIXED, paperColor) == 16);
static_assert(offsetof(NOTE_CATE_FIXED, variation) == 20);
static_assert(offsetof(NOTE_CATE_FIXED, font) == 24);

struct NOTE_CATE : NOTE_CATE_FIXED {
  std::u16string name;
  std::u16string sound;  // empty = the program's chime
  std::u16string skin;   // empty = the built-in skin
};

inline constexpr uint32_t DateKey(int year, int month, int day) {
  return static_cast<uint32_t>(year) << 16 | static_cast<uint32_t>(month) << 8 | static_cast<uint32_t>(day);
}

}  // namespace zavra
