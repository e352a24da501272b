#include "notewnd/TextLayout.h"

#include <algorithm>

namespace zavra {

namespace {

bool IsBreak(char16_t c) { return c == u'\r' || c == u'\n'; }
bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The widths of the characters near the layout's position, measured a piece at a time as the
// layout moves on, so that the text's widths are never all held at once.
class AdvanceWindow {
 public:
  AdvanceWindow(std::u16string_view text, const MeasureAdvances& measure)
      : text_(text), measure_(measure), advances_(kMeasureChunk) {}

  // The width of text[i] on the line that starts at `line`. A new piece starts with the line
  // (unless the line is long), so that a word carried to the next line is not measured again.
  int32_t At(size_t i, size_t line) {
    if (i < begin_ || i >= end_) Measure(i - line < kMeasureChunk / 2 ? line : i);
    return advances_[i - begin_];
  }

 private:
  void Measure(size_t from) {
    size_t count = std::min(kMeasureChunk, text_.size() - from);
    // A surrogate pair is measured whole.
    if (from + count < text_.size() && count > 1 && IsHighSurrogate(text_[from + count - 1])) --count;
    measure_(text_.data() + from, count, advances_.data());
    begin_ = from;
    end_ = from + count;
  }

  std::u16string_view text_;
  const MeasureAdvances& measure_;
  std::vector<int32_t> advances_;
  size_t begin_ = 0, end_ = 0;
};

}  // namespace

std::vector<size_t> BreakLines(std::u16string_view text, int32_t width, int32_t tabWidth,
                               const MeasureAdvances& measure) {
  std::vector<size_t> starts;
  AdvanceWindow advances(text, measure);
  const size_t n = text.size();
  size_t pos = 0;
  while (pos < n) {
    starts.push_back(pos);
    int64_t x = 0;
    size_t i = pos;
    size_t overflow = n;  // the first visible character past the right edge
    for (; i < n && !IsBreak(text[i]); ++i) {
      const char16_t c = text[i];
      int64_t advance = std::max<int32_t>(advances.At(i, pos), 0);
      if (c == u'\t' && tabWidth > 0) advance = (x / tabWidth + 1) * tabWidth - x;
      // Blanks may hang past the edge, the second half of a pair stays with the first, and the
      // first character of a line always stays on it.
      if (i > pos && !IsBlank(c) && !IsLowSurrogate(c) && x + advance > width) {
        overflow = i;
        break;
      }
      x += advance;
    }
    if (overflow == n) {
      // The rest of this line fits: it ends with its line break.
      if (i < n && text[i] == u'\r') ++i;
      if (i < n && text[i] == u'\n') ++i;
      pos = i;
      continue;
    }
    // Back to the start of the word that does not fit; it begins the next line.
    size_t word = overflow;
    while (word > pos && !IsBlank(text[word - 1])) --word;
    // One word wider than the line is broken where it passes the edge.
    pos = word > pos ? word : overflow;
  }
  if (starts.empty()) starts.push_back(0);
  if (n > 0) starts.push_back(n);
  return starts;
}

size_t VisibleLength(std::u16string_view text, size_t start, size_t end) {
  end = std::min(end, text.size());
  while (end > start && (IsBlank(text[end - 1]) || IsBreak(text[end - 1]))) --end;
  return end > start ? end - start : 0;
}

}  // namespace zavra
