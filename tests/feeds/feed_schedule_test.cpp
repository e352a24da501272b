// Which feeds the background synchronisation downloads, and when it looks again.
#include <gtest/gtest.h>

#include "feeds/FeedNames.h"
#include "feeds/FeedSchedule.h"

namespace zavra {
namespace {

TEST(FeedSchedule, DueFeedsAndTheNextWakeUp) {
  const int64_t now = 1'000'000;
  std::vector<FeedInfo> feeds;
  for (auto [name, sync, interval, lastAttempt] : std::vector<std::tuple<std::u16string, FeedSync, uint32_t, int64_t>>{
           {u"never tried", FeedSync::kDefault, 0, 0},
           {u"default, 59 min ago", FeedSync::kDefault, 0, now - 59 * 60},
           {u"15 min, 15 min ago", FeedSync::kInterval, 15, now - 15 * 60},
           {u"manual", FeedSync::kManual, 15, 0},
           {u"interval 0", FeedSync::kInterval, 0, 0},
           {u"clock set back", FeedSync::kInterval, 15, now + 16 * 60},
           {u"hostile time", FeedSync::kInterval, 15, INT64_MIN},
           {kTempFeedName, FeedSync::kDefault, 0, 0}}) {
    feeds.push_back({name, u"", u"", sync, interval, lastAttempt});
  }
  const SyncPlan plan = PlanSync(feeds, 60, true, now);
  EXPECT_EQ(plan.due, (std::vector<std::u16string>{u"never tried", u"15 min, 15 min ago", u"clock set back", u"hostile time"}));
  EXPECT_EQ(plan.next, now + 60);
  EXPECT_TRUE(PlanSync(feeds, 60, false, now).due.empty()) << "background synchronisation off";
}

}  // namespace
}  // namespace zavra
