// The feed settings of the settings key, above all the "Feeds" value with damaged data.
#include <gtest/gtest.h>

#include "feeds/FeedSettings.h"
#include "store/MemoryRegistry.h"
#include "store/StoreTestSupport.h"

namespace zavra {
namespace {

test::Bytes Entries(std::initializer_list<std::pair<std::u16string, uint32_t>> entries) {
  test::Bytes b;
  for (const auto& [name, category] : entries) {
    for (char16_t c : name) test::Put16(b, c);
    test::Put16(b, 0);
    test::Put32(b, category);
  }
  return b;
}

TEST(FeedSettings, FeedsValueKeepsWholeEntriesOnly) {
  const test::Bytes two = Entries({{u"News", 0}, {u"Blog", 10001}});
  const std::vector<FeedEntry> both = {{u"News", 0}, {u"Blog", 10001}}, first = {{u"News", 0}};
  test::Bytes odd = two;
  odd.push_back(0x41);
  const struct {
    const char* what;
    test::Bytes bytes;
    std::vector<FeedEntry> want;
  } cases[] = {
      {"two entries", two, both},
      {"category cut short", test::Bytes(two.begin(), two.end() - 1), first},
      {"name without terminator", test::Bytes(two.begin(), two.end() - 6), first},
      {"odd trailing byte", odd, both},
      {"odd length inside a name", test::Bytes(two.begin(), two.begin() + 17), first},
      {"empty name", Entries({{u"", 5}, {u"News", 0}}), first},
      {"repeated name", Entries({{u"News", 0}, {u"NEWS", 7}}), first},
      {"nothing", {}, {}},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseFeedsValue(c.bytes), c.want) << c.what;
  EXPECT_EQ(BuildFeedsValue(both), two);
}

TEST(FeedSettings, ReadWriteAndWhoDeliversWhere) {
  MemoryRegistry registry;
  auto key = registry.OpenSettingsKey();
  key->SetDword(kFeedModeValue, 7);
  EXPECT_EQ(ReadFeedSettings(key.get()).mode, kFeedModeNone) << "a mode outside 0-2 counts as 0";
  EXPECT_EQ(ReadFeedSettings(key.get()).defaultCategory, 1u);
  const FeedSettings configured{kFeedModeConfigured, 20, {{u"News", 0}, {u"Blog", 30}}};
  WriteFeedSettings(key.get(), configured, true);
  WriteFeedSettings(key.get(), {kFeedModeAll, 1, {}}, false);
  EXPECT_EQ(ReadFeedSettings(key.get()).feeds, configured.feeds) << "kept when the page had no rows to write";
  WriteFeedSettings(key.get(), {kFeedModeAll, 1, {}}, true);
  EXPECT_FALSE(registry.settings.Has(kFeedsValue)) << "deleted when no feed is configured";

  EXPECT_EQ(FeedNoteCategory(configured, u"news"), 20u);
  EXPECT_EQ(FeedNoteCategory(configured, u"Blog"), 30u);
  EXPECT_EQ(FeedNoteCategory(configured, u"Other"), std::nullopt);
  EXPECT_EQ(FeedNoteCategory({kFeedModeAll, 20, {}}, u"Other"), 20u);
  EXPECT_EQ(FeedNoteCategory({kFeedModeConfigured, 20, {}}, u"Other"), std::nullopt) << "mode 2 without feeds is mode 0";
}

}  // namespace
}  // namespace zavra
