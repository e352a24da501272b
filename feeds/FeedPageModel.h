#pragma once
// What the feed page shows and writes, apart from its controls: the rows (TFEED), the
// interval choices and labels, and the settings Apply stores.
#include <cstdint>
#include <string>
#include <vector>

#include "feeds/FeedSettings.h"
#include "feeds/FeedStore.h"
#include "store/Category.h"

namespace zavra {

// One row of the feed page.
struct TFEED {
  std::u16string name;
  uint32_t interval = 0;  // minutes; 0 = no background synchronisation
  uint32_t category = 0;  // 0 = "(Default)"
  bool enable = false;    // delivers notes in mode 2
};

struct FeedPageData {
  uint32_t mode = kFeedModeNone;
  uint32_t defaultCategory = 1;
  std::vector<TFEED> rows;
  // False when the store could not be listed: there are no rows, and Apply must keep the
  // configured feeds rather than write an empty list.
  bool listed = false;
};

// The sync interval menu: "Off", "15 min", "30 min", "1 hour", "4 hours", "1 day", "1 week".
inline constexpr uint32_t kIntervalChoices[] = {0, 15, 30, 60, 240, 1440, 10080};
inline constexpr int kIntervalChoiceCount = 7;

// The choice whose range holds `minutes` (the "SI" column shows the same): 0 for 0, 1 below 30,
// 2 below 60, 3 below 240, 4 below 1440, 5 below 10080, else 6.
int IntervalChoice(uint32_t minutes);

// Category 0 stays "(Default)"; an id that no longer exists becomes 1, "Unsorted".
uint32_t ExistingCategory(uint32_t id, const CategoryList& categories);

// Rows from the store's feeds, then enabled and given their category from the settings.
FeedPageData LoadFeedPage(IFeedStore& store, const FeedSettings& settings, const CategoryList& categories);

// The settings Apply writes: the mode, the default category and every enabled row in order.
FeedSettings SettingsFromPage(const FeedPageData& page);

// Apply in modes 1 and 2: background synchronisation on, and each listed feed with a row set
// to manual (interval 0), default (the store's default interval) or its own interval.
void ApplyFeedSync(IFeedStore& store, const std::vector<TFEED>& rows);

}  // namespace zavra
