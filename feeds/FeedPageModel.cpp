#include "feeds/FeedPageModel.h"

#include "feeds/FeedNames.h"
#include "feeds/FeedSchedule.h"

namespace zavra {

int IntervalChoice(uint32_t minutes) {
  if (minutes == 0) return 0;
  constexpr uint32_t kBelow[] = {30, 60, 240, 1440, 10080};
  for (int i = 0; i < 5; ++i)
    if (minutes < kBelow[i]) return i + 1;
  return 6;
}

uint32_t ExistingCategory(uint32_t id, const CategoryList& categories) {
  return id == 0 || categories.Find(id) ? id : 1;
}

FeedPageData LoadFeedPage(IFeedStore& store, const FeedSettings& settings, const CategoryList& categories) {
  FeedPageData page;
  page.mode = settings.mode;
  page.defaultCategory = settings.defaultCategory;
  std::vector<FeedInfo> feeds;
  page.listed = store.ListFeeds(feeds);
  const uint32_t defaultInterval = page.listed ? store.DefaultInterval() : 0;
  for (const FeedInfo& feed : feeds) {
    TFEED row;
    row.name = feed.name;
    row.interval = EffectiveInterval(feed, defaultInterval);
    if (const FeedEntry* entry = FindFeedEntry(settings.feeds, feed.name)) {
      row.enable = true;
      row.category = ExistingCategory(entry->category, categories);
    }
    page.rows.push_back(std::move(row));
  }
  return page;
}

FeedSettings SettingsFromPage(const FeedPageData& page) {
  FeedSettings s;
  s.mode = page.mode;
  s.defaultCategory = page.defaultCategory;
  for (const TFEED& row : page.rows)
    if (row.enable && !FindFeedEntry(s.feeds, row.name)) s.feeds.push_back({row.name, row.category});
  return s;
}

void ApplyFeedSync(IFeedStore& store, const std::vector<TFEED>& rows) {
  if (!store.BackgroundSync()) store.SetBackgroundSync(true);
  const uint32_t defaultInterval = store.DefaultInterval();
  std::vector<FeedInfo> feeds;
  if (!store.ListFeeds(feeds)) return;
  for (const FeedInfo& feed : feeds) {
    const TFEED* row = nullptr;
    for (const TFEED& r : rows)
      if (SameFeedName(r.name, feed.name)) row = &r;
    if (!row) continue;
    FeedSync sync = FeedSync::kInterval;
    uint32_t interval = row->interval;
    if (row->interval == 0) {
      sync = FeedSync::kManual;
      interval = feed.interval;
    } else if (row->interval == defaultInterval) {
      sync = FeedSync::kDefault;
      interval = feed.interval;
    }
    if (sync != feed.sync || interval != feed.interval) store.SetSync(feed.name, sync, interval);
  }
}

}  // namespace zavra
