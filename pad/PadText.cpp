#include "pad/PadText.h"

#include <algorithm>

#include "schedule/RecurrenceText.h"

namespace zavra {

std::u16string PadCaption(const PadTerm& term, size_t rows, const PadCaptionTexts& texts, const PadDateFormat& format,
                          const LocalTime& zone) {
  std::u16string what;
  const LocalFields start = zone.FieldsOf(ClampTime(term.start));
  switch (term.kind) {
    case PadTermKind::kDay:
      what = format.ShortLongDate(start);
      break;
    case PadTermKind::kWeek:
      what = FormatText(texts.week, {format.ShortDate(start), format.ShortDate(zone.FieldsOf(ClampTime(term.end)))});
      break;
    case PadTermKind::kMonth:
      what = format.YearMonth(start);
      break;
    case PadTermKind::kAll:
      what = texts.all;
      break;
  }
  const int64_t n = static_cast<int64_t>(std::min<size_t>(rows, INT32_MAX));
  const std::u16string count = FormatText(n < 2 ? texts.oneNote : texts.notes, {n});
  return FormatText(texts.caption, {what, count, texts.title});
}

std::u16string ShortenLongDateFormat(std::u16string_view picture) {
  std::u16string out;
  bool quoted = false;
  for (size_t i = 0; i < picture.size();) {
    const char16_t c = picture[i];
    if (c == u'\'') quoted = !quoted;
    if (!quoted && (c == u'd' || c == u'M')) {
      size_t run = 1;
      while (i + run < picture.size() && picture[i + run] == c) ++run;
      // Four or more letters name the day or month in full; three name it short.
      out.append(run >= 4 ? 3 : run, c);
      i += run;
      continue;
    }
    out.push_back(c);
    ++i;
  }
  return out;
}

char16_t UpperChar(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - 32);
  if (c < 0xE0) return c == 0xB5 ? char16_t{0x39C} : c;  // micro sign: Greek mu
  if (c <= 0xFE) return c == 0xF7 ? c : static_cast<char16_t>(c - 32);
  if (c == 0xFF) return 0x178;
  // Latin Extended-A pairs its letters upper then lower, with a shifted stretch in the middle.
  if (c >= 0x100 && c <= 0x137) return static_cast<char16_t>(c & ~1u);
  if (c >= 0x139 && c <= 0x148) return (c & 1) ? c : static_cast<char16_t>(c - 1);
  if (c >= 0x14A && c <= 0x177) return static_cast<char16_t>(c & ~1u);
  if (c == 0x17A || c == 0x17C || c == 0x17E) return static_cast<char16_t>(c - 1);
  if (c >= 0x3B1 && c <= 0x3C9) return c == 0x3C2 ? char16_t{0x3A3} : static_cast<char16_t>(c - 32);
  if (c >= 0x430 && c <= 0x44F) return static_cast<char16_t>(c - 32);
  if (c >= 0x450 && c <= 0x45F) return static_cast<char16_t>(c - 80);
  return c;
}

std::u16string UpperCase(std::u16string_view text) {
  std::u16string out(text);
  for (char16_t& c : out) c = UpperChar(c);
  return out;
}

bool ContainsWord(std::u16string_view upperText, std::u16string_view upperWord) {
  return upperWord.empty() || upperText.find(upperWord) != std::u16string_view::npos;
}

RECT32 DefaultPadRect(const RECT32& work) {
  const int32_t half = std::min(work.bottom, 768) / 2;
  return {work.right - 450, work.bottom - half - 120, work.right - 150, work.bottom - 50};
}

RECT32 PadRectFromBytes(const std::optional<std::vector<uint8_t>>& bytes, const RECT32& workArea) {
  if (!bytes || bytes->size() != 16) return DefaultPadRect(workArea);
  int32_t v[4];
  for (int i = 0; i < 4; ++i) {
    uint32_t u = 0;
    for (int b = 0; b < 4; ++b) u |= static_cast<uint32_t>((*bytes)[static_cast<size_t>(4 * i + b)]) << (8 * b);
    v[i] = static_cast<int32_t>(u);
  }
  const RECT32 r{v[0], v[1], v[2], v[3]};
  // A window smaller than its caption or larger than any screen was not written by us.
  const int64_t w = static_cast<int64_t>(r.right) - r.left, h = static_cast<int64_t>(r.bottom) - r.top;
  if (w < 100 || h < 60 || w > 16384 || h > 16384) return DefaultPadRect(workArea);
  return r;
}

std::vector<uint8_t> PadRectBytes(const RECT32& r) {
  std::vector<uint8_t> out;
  for (int32_t v : {r.left, r.top, r.right, r.bottom})
    for (int b = 0; b < 4; ++b) out.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * b)));
  return out;
}

}  // namespace zavra
