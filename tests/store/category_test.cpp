#include <gtest/gtest.h>

#include <random>

#include "store/Category.h"

namespace zavra {
namespace {

// The paper colour algorithm written out plainly, walking the text as the C string it was.
COLORREF ReferencePaper(COLORREF paper, uint32_t variation, const std::u16string& text, int64_t created) {
  const int v = static_cast<int>(variation & 0xFF);
  if (v == 0) return paper;
  const char16_t* s = text.c_str();
  size_t len = 0;
  while (s[len]) ++len;
  size_t step = len / 6;
  if (step < 1) step = 1;
  unsigned h[3] = {0, 0, 0};
  for (int k = 0; k < 6; ++k) {
    const size_t at = k * step;
    if (at >= len) break;
    h[k % 3] ^= s[at];
  }
  const unsigned seed = static_cast<unsigned>(created) & 0xFFFF;
  COLORREF out = paper & 0xFF000000u;
  for (int ch = 0; ch < 3; ++ch) {
    const int b = static_cast<int>((paper >> (8 * ch)) & 0xFF);
    const int low = v >= b ? 0 : b - v;
    const int high = b + v > 254 ? 255 : b + v;
    out |= static_cast<COLORREF>(low + static_cast<int>((seed ^ h[ch]) % static_cast<unsigned>(high - low + 1)))
           << (8 * ch);
  }
  return out;
}

NOTE_CATE Cate(COLORREF paper, uint32_t variation) {
  NOTE_CATE c;
  c.paperColor = paper;
  c.variation = variation;
  return c;
}

NOTE_PAD Note(const std::u16string& text, int64_t created) {
  NOTE_PAD n;
  n.text = text;
  n.created = created;
  return n;
}

TEST(PaperColor, HandComputedValues) {
  struct Case { COLORREF paper; uint32_t variation; std::u16string text; int64_t created; COLORREF expected; };
  const Case cases[] = {
      // h = {'a'^'d', 'b'^'e', 'c'^'f'} = {5, 7, 5}; s = 0x2345; 31 values from 0xE1.
      {0xF0F0F0, 15, u"abcdef", 0x12345, 0xE4E6E4},
      // empty text: h = 0, s = 100; red 28 + 100 % 41, green 12 + 100 % 41, blue 0 + 100 % 37.
      {0x05102030, 20, u"", 100, 0x051A1E2E},
      // no variation (only the low byte counts): the paper colour itself.
      {0x00123456, 0x1200, u"abc", 99, 0x00123456},
      // red 250 + 10 clamps to 255: range 240..255; s = 0; h0 = 'x' = 120 -> 240 + 120 % 16 = 248;
      // green and blue 0 stay in 0..10 and with h = 0 come out 0.
      {0x000000FA, 10, u"x", 0x10000, 0x000000F8},
  };
  for (const Case& c : cases)
    EXPECT_EQ(EffectivePaperColor(Cate(c.paper, c.variation), Note(c.text, c.created)), c.expected)
        << std::hex << "paper " << c.paper << " variation " << c.variation;
}

TEST(PaperColor, MatchesTheFormulaOnRandomNotes) {
  std::mt19937 rng(7);
  for (int i = 0; i < 5000; ++i) {
    std::u16string text(rng() % 40, u'\0');
    for (char16_t& c : text) c = static_cast<char16_t>(1 + rng() % 0xFFFE);
    const COLORREF paper = rng();
    const uint32_t variation = rng() % 3 == 0 ? rng() % 4 : rng();
    const int64_t created = static_cast<int64_t>(rng()) << 16 ^ rng();
    ASSERT_EQ(EffectivePaperColor(Cate(paper, variation), Note(text, created)),
              ReferencePaper(paper, variation, text, created))
        << std::hex << "paper " << paper << " variation " << variation << " created " << created;
  }
}

TEST(PaperColor, Variation15StaysNearTheDefaultPaperAndIsDeterministic) {
  std::mt19937 rng(11);
  for (int i = 0; i < 2000; ++i) {
    std::u16string text(rng() % 100, u'a');
    for (char16_t& c : text) c = static_cast<char16_t>(u' ' + rng() % 90);
    const NOTE_PAD note = Note(text, rng());
    const COLORREF color = EffectivePaperColor(Cate(0xF0F0F0, 15), note);
    for (int ch = 0; ch < 3; ++ch) {
      const uint32_t value = (color >> (8 * ch)) & 0xFF;
      ASSERT_GE(value, 0xE1u) << "channel " << ch << " of " << std::hex << color;
      ASSERT_LE(value, 0xFFu);
    }
    EXPECT_EQ(color >> 24, 0u);
    EXPECT_EQ(EffectivePaperColor(Cate(0xF0F0F0, 15), Note(text, note.created)), color);
  }
}

TEST(CategoryDefaults, FillOnlyWhatTheNoteDoesNotOwn) {
  NOTE_CATE cate = Cate(0xF0F0F0, 0);
  cate.icon = 5;
  cate.textColor = 0x111111;
  cate.font.lfWeight = 700;
  cate.skin = u"cat skin";
  struct Case { uint32_t flags; bool full; bool icon, paper, text, font, skin; };
  const Case cases[] = {
      {0, false, true, true, true, false, false},
      {0, true, true, true, true, true, true},
      {kNoteOwnIcon | kNoteOwnPaperColor | kNoteOwnTextColor, true, false, false, false, true, true},
      {kNoteOwnFont | kNoteOwnSkin, true, true, true, true, false, false},
  };
  for (const Case& c : cases) {
    NOTE_PAD note;
    note.flags = c.flags;
    note.icon = 1;
    note.paperColor = 2;
    note.textColor = 3;
    note.font.lfWeight = 400;
    note.skin = u"own";
    ApplyCategoryDefaults(note, cate, c.full);
    EXPECT_EQ(note.icon == 5, c.icon) << "flags " << c.flags;
    EXPECT_EQ(note.paperColor == 0xF0F0F0u, c.paper) << "flags " << c.flags;
    EXPECT_EQ(note.textColor == 0x111111u, c.text) << "flags " << c.flags;
    EXPECT_EQ(note.font.lfWeight == 700, c.font) << "flags " << c.flags << " full " << c.full;
    EXPECT_EQ(note.skin == u"cat skin", c.skin) << "flags " << c.flags << " full " << c.full;
  }
}

std::vector<std::u16string> Names(const std::vector<NOTE_CATE>& list) {
  std::vector<std::u16string> names;
  for (const auto& c : list) names.push_back(c.name);
  return names;
}

NOTE_CATE Named(uint32_t id, const std::u16string& name) {
  NOTE_CATE c;
  c.id = id;
  c.name = name;
  return c;
}

TEST(CategoryOrder, BuiltInIdsFirstThenNamesWithoutCase) {
  std::vector<NOTE_CATE> list{Named(10002, u"beta"), Named(10001, u"Alpha"), Named(5, u"Zeta")};
  SortCategories(list);
  EXPECT_EQ(Names(list), (std::vector<std::u16string>{u"Zeta", u"Alpha", u"beta"}));
}

TEST(CategoryOrder, EqualNamesKeepFileOrder) {
  std::vector<NOTE_CATE> list{Named(10009, u"same"), Named(10003, u"SAME"), Named(10001, u"b"), Named(10005, u"Same")};
  SortCategories(list);
  std::vector<uint32_t> ids;
  for (const auto& c : list) ids.push_back(c.id);
  EXPECT_EQ(ids, (std::vector<uint32_t>{10001, 10009, 10003, 10005}));
}

TEST(CategoryOrder, CaseFoldingIsAsciiLikeWcsicmp) {
  struct Case { std::u16string a, b; int sign; };
  const Case cases[] = {
      {u"abc", u"ABC", 0}, {u"a", u"B", -1}, {u"_", u"a", -1},  // '_' sorts before letters once folded
      {u"Z", u"_", 1},     {u"ab", u"abc", -1}, {u"\u00E9", u"\u00C9", 1},
  };
  for (const Case& c : cases) {
    const int r = CompareNamesNoCase(c.a, c.b);
    EXPECT_EQ((r > 0) - (r < 0), c.sign) << "comparing entries " << c.a.size() << "/" << c.b.size();
  }
}

TEST(CategoryList, ResolveFallsBackToUnsorted) {
  CategoryList list;
  list.items = {Named(1, u"Unsorted"), Named(10001, u"Work")};
  list.RebuildIndex();
  EXPECT_EQ(list.Resolve(10001).name, u"Work");
  EXPECT_EQ(list.Resolve(12345).id, 1u);
  EXPECT_EQ(list.Find(12345), nullptr);
}

}  // namespace
}  // namespace zavra
