// Line breaking with made-up widths (10 pixels a character): what the one-pass layout could
// break that the note window's own tests do not reach, and that it measures in bounded pieces.
#include <gtest/gtest.h>

#include <algorithm>

#include "notewnd/TextLayout.h"

namespace zavra {
namespace {

TEST(TextLayout, TabsBlanksAtABreakPairsAndNoRoom) {
  size_t measured = 0, largest = 0;
  const MeasureAdvances measure = [&](const char16_t*, size_t count, int32_t* advances) {
    measured += count;
    largest = std::max(largest, count);
    std::fill(advances, advances + count, 10);
  };
  struct Case {
    std::u16string text;
    int32_t width;
    std::vector<size_t> starts;
  };
  const Case cases[] = {
      {u"a\tb", 45, {0, 2, 3}},                      // the tab reaches 40, "b" would end at 50
      {u"aaaa   \r\nb", 40, {0, 9, 10}},             // blanks up to the break keep it on their line
      {u"a\U0001F600\U0001F600", 15, {0, 1, 3, 5}},  // a surrogate pair is never split
      {u"ab", 0, {0, 1, 2}},                         // no room: a character a line
  };
  for (const Case& c : cases) EXPECT_EQ(BreakLines(c.text, c.width, 40, measure), c.starts);

  std::u16string text;
  while (text.size() < 200000) text += u"lorem ipsum dolor sit amet ";
  text += std::u16string(50000, u'x');
  measured = 0;
  const std::vector<size_t> starts = BreakLines(text, 150, 40, measure);
  EXPECT_LE(largest, kMeasureChunk);
  EXPECT_LE(measured, text.size() + text.size() / 50) << "each character about once";
  EXPECT_EQ(starts.back(), text.size());
  EXPECT_EQ(std::adjacent_find(starts.begin(), starts.end(), std::greater_equal<>()), starts.end()) << "increasing";
}

}  // namespace
}  // namespace zavra
