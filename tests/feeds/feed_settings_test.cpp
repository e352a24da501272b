// The feed settings of the settings key, above all the "Feeds" value with damaged data.
#include <gtest/gtest.h>

#include "feeds/FeedSettings.h"
#include "store/MemoryRegistry.h"
#include "store/StoreTestSupport.h"

namespace zavra {
namespace {

using test::Bytes;

Bytes Entry(const std::u16string& name, uint32_t category) {
  Bytes b = test::Utf16Bytes(name);
  test::Put16(b, 0);
  test::Put32(b, category);
  return b;
}

Bytes Join(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

TEST(FeedSettings, FeedsValueKeepsWholeEntriesOnly) {
  const Bytes two = Join({Entry(u"News", 0), Entry(u"Blog", 10001)});
  const std::vector<FeedEntry> both = {{u"News", 0}, {u"Blog", 10001}};
  const std::vector<FeedEntry> first = {{u"News", 0}};
  const struct {
    const char* what;
    Bytes bytes;
    std::vector<FeedEntry> want;
  } cases[] = {
      {"two entries", two, both},
      {"category cut short", Bytes(two.begin(), two.end() - 1), first},
      {"name without terminator", Bytes(two.begin(), two.end() - 6), first},
      {"odd trailing byte", Join({two, Bytes{0x41}}), both},
      {"odd length inside the name", Bytes(two.begin(), two.begin() + 17), first},
      {"empty name dropped", Join({Entry(u"", 5), Entry(u"News", 0)}), first},
      {"repeated name dropped", Join({Entry(u"News", 0), Entry(u"NEWS", 7)}), first},
      {"nothing", Bytes{}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseFeedsValue(c.bytes), c.want) << c.what;
  EXPECT_EQ(BuildFeedsValue(both), two);
}

TEST(FeedSettings, ReadsDefaultsAndWritesFeedsOnlyWhenAsked) {
  MemoryRegistry registry;
  auto key = registry.OpenSettingsKey();
  FeedSettings s = ReadFeedSettings(key.get());
  EXPECT_EQ(s.mode, kFeedModeNone);
  EXPECT_EQ(s.defaultCategory, 1u);
  key->SetDword(kFeedModeValue, 7);
  EXPECT_EQ(ReadFeedSettings(key.get()).mode, kFeedModeNone) << "a mode outside 0-2 counts as 0";

  s = {kFeedModeConfigured, 10002, {{u"News", 0}}};
  WriteFeedSettings(key.get(), s, true);
  EXPECT_EQ(ReadFeedSettings(key.get()).feeds, s.feeds);
  WriteFeedSettings(key.get(), {kFeedModeAll, 1, {}}, false);
  EXPECT_EQ(ReadFeedSettings(key.get()).feeds, s.feeds) << "kept when the page had no rows to write";
  WriteFeedSettings(key.get(), {kFeedModeAll, 1, {}}, true);
  EXPECT_FALSE(registry.settings.Has(kFeedsValue)) << "deleted when no feed is configured";
}

TEST(FeedSettings, WhichFeedsMakeNotesInWhichCategory) {
  const FeedSettings configured{kFeedModeConfigured, 20, {{u"News", 0}, {u"Blog", 30}}};
  EXPECT_EQ(FeedNoteCategory(configured, u"news"), 20u);
  EXPECT_EQ(FeedNoteCategory(configured, u"Blog"), 30u);
  EXPECT_EQ(FeedNoteCategory(configured, u"Other"), std::nullopt);
  EXPECT_EQ(FeedNoteCategory({kFeedModeAll, 20, {}}, u"Other"), 20u);
  EXPECT_EQ(FeedNoteCategory({kFeedModeNone, 20, {{u"News", 0}}}, u"News"), std::nullopt);
  EXPECT_EQ(EffectiveFeedMode({kFeedModeConfigured, 20, {}}), kFeedModeNone);
}

}  // namespace
}  // namespace zavra
