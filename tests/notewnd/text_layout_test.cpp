// Line breaking of a note's body with made-up widths: where lines start, and that the text is
// measured in bounded pieces about once however it is broken.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "notewnd/TextLayout.h"

namespace zavra {
namespace {

// Every character 10 pixels wide, "W" 20; counts what it is asked to measure.
struct FakeMeasure {
  size_t measured = 0;
  size_t largestPiece = 0;
  MeasureAdvances Fn() {
    return [this](const char16_t* text, size_t count, int32_t* advances) {
      measured += count;
      largestPiece = std::max(largestPiece, count);
      for (size_t i = 0; i < count; ++i) advances[i] = text[i] == u'W' ? 20 : 10;
    };
  }
};

TEST(TextLayout, LineStarts) {
  struct Case {
    const char* what;
    std::u16string text;
    int32_t width;
    std::vector<size_t> starts;
  };
  const Case cases[] = {
      {"empty", u"", 100, {0}},
      {"words wrap at blanks", u"aaa bbb ccc", 60, {0, 4, 8, 11}},
      {"blanks hang past the edge", u"aaa     bbb", 50, {0, 8, 11}},
      {"a word longer than the line", u"abcdefghij", 35, {0, 3, 6, 9, 10}},
      {"wide letters", u"WW WW", 45, {0, 3, 5}},
      {"tab to the next stop, then a break after it", u"a\tb", 45, {0, 2, 3}},
      {"CR LF, CR, LF and a blank line", u"a\r\nb\rc\n\nd", 100, {0, 3, 5, 7, 8, 9}},
      {"blanks up to the line break keep it on their line", u"aaaa   \r\nb", 40, {0, 9, 10}},
      {"no room at all: a character a line", u"ab", 0, {0, 1, 2}},
      {"a pair of surrogates is not split", u"a\U0001F600\U0001F600", 15, {0, 1, 3, 5}},
  };
  for (const Case& c : cases) {
    FakeMeasure measure;
    EXPECT_EQ(BreakLines(c.text, c.width, 40, measure.Fn()), c.starts) << c.what;
  }
}

TEST(TextLayout, OneLongParagraphIsMeasuredInBoundedPiecesAboutOnce) {
  std::u16string text;
  while (text.size() < 200000) text += u"lorem ipsum dolor sit amet consectetur ";
  text += std::u16string(50000, u'x');  // and one word far wider than the line
  FakeMeasure measure;
  const std::vector<size_t> starts = BreakLines(text, 150, 40, measure.Fn());
  EXPECT_GE(measure.measured, text.size());
  EXPECT_LE(measure.measured, text.size() + text.size() / 50) << "only words carried past a piece's end again";
  EXPECT_LE(measure.largestPiece, kMeasureChunk);
  ASSERT_GT(starts.size(), 2u);
  EXPECT_EQ(starts.back(), text.size());
  for (size_t i = 1; i < starts.size(); ++i) ASSERT_GT(starts[i], starts[i - 1]) << "line " << i;
}

TEST(TextLayout, VisibleLengthLeavesOutTheLineEnd) {
  const std::u16string text = u"ab \t\r\ncd";
  EXPECT_EQ(VisibleLength(text, 0, 6), 2u);
  EXPECT_EQ(VisibleLength(text, 6, 8), 2u);
  EXPECT_EQ(VisibleLength(text, 2, 6), 0u);
}

}  // namespace
}  // namespace zavra
