// The pad's caption, its shortened date picture, the upper case of its search and "PadRect".
#include <array>

#include "pad/PadText.h"
#include "tests/pad/PadTestSupport.h"

namespace zavra {
namespace {

using test::Local;
using test::Zone;

TEST(PadCaption, TermAndRowCount) {
  const int64_t at = Local(2026, 11, 1, 12);
  const struct {
    PadTermKind kind;
    size_t rows;
    const char16_t* caption;
  } cases[] = {
      {PadTermKind::kDay, 0, u"Sun 11/1 (0 note) - QZ[Pad]"},
      {PadTermKind::kDay, 1, u"Sun 11/1 (1 note) - QZ[Pad]"},
      {PadTermKind::kWeek, 2, u"11/1 ~ 11/7 (2 notes) - QZ[Pad]"},
      {PadTermKind::kMonth, 17, u"2026-11 (17 notes) - QZ[Pad]"},
      {PadTermKind::kAll, 3, u"All (3 notes) - QZ[Pad]"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(PadCaption(MakePadTerm(c.kind, at, at, 0, Zone()), c.rows, PadCaptionTexts(), test::PlainFormat(), Zone()),
              c.caption);
}

TEST(PadCaption, ShortenedLongDatePicture) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"dddd, MMMM d, yyyy", u"ddd, MMM d, yyyy"},
      {u"dddd, d. MMMM yyyy", u"ddd, d. MMM yyyy"},
      {u"d 'de' MMMM 'de' yyyy", u"d 'de' MMM 'de' yyyy"},
      {u"'dddd MMMM' dddd", u"'dddd MMMM' ddd"},
      {u"dd/MM/yyyy", u"dd/MM/yyyy"},
      {u"ddd d MMM", u"ddd d MMM"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(ShortenLongDateFormat(in), out);
}

TEST(PadSearch, UpperCaseOfLatinGreekAndCyrillic) {
  const std::pair<const char16_t*, const char16_t*> cases[] = {
      {u"milk 1.5l", u"MILK 1.5L"},     {u"straße", u"STRAßE"},        {u"àéîõü÷ÿ", u"ÀÉÎÕÜ÷Ÿ"},
      {u"łódź żółć", u"ŁÓDŹ ŻÓŁĆ"},     {u"čšňő", u"ČŠŇŐ"},             {u"αβγς", u"ΑΒΓΣ"},
      {u"привет ёж", u"ПРИВЕТ ЁЖ"},     {u"\u00B5 \u4E2D", u"\u039C \u4E2D"},
  };
  for (const auto& [in, out] : cases) EXPECT_EQ(UpperCase(in), out);
  EXPECT_TRUE(ContainsWord(u"BUY MILK", u""));
  EXPECT_TRUE(ContainsWord(u"BUY MILK", u"Y M"));
  EXPECT_FALSE(ContainsWord(u"BUY MILK", u"MILKS"));
}

TEST(PadRect, DefaultAndSavedRectangles) {
  const RECT32 work{0, 0, 1280, 994};
  const RECT32 byDefault = DefaultPadRect(work);
  EXPECT_EQ((std::array{byDefault.left, byDefault.top, byDefault.right, byDefault.bottom}),
            (std::array{830, 490, 1130, 944}));
  const RECT32 small = DefaultPadRect({0, 0, 800, 560});
  EXPECT_EQ(small.top, 560 - 280 - 120) << "half the work area's height when below 768";

  const RECT32 saved{-1500, 20, -1100, 620};  // on a monitor left of the primary one
  EXPECT_EQ(PadRectBytes(saved).size(), 16u);
  const RECT32 back = PadRectFromBytes(PadRectBytes(saved), work);
  EXPECT_EQ((std::array{back.left, back.top, back.right, back.bottom}), (std::array{-1500, 20, -1100, 620}));
  const std::optional<std::vector<uint8_t>> unusable[] = {
      std::nullopt, std::vector<uint8_t>(15), std::vector<uint8_t>(16), PadRectBytes({10, 10, 5, 300}),
      PadRectBytes({0, 0, 100000, 500})};
  for (const auto& bytes : unusable) EXPECT_EQ(PadRectFromBytes(bytes, work).left, byDefault.left);
}

}  // namespace
}  // namespace zavra
