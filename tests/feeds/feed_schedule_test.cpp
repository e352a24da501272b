// Which feeds the background synchronisation downloads, and when it looks again.
#include <gtest/gtest.h>

#include "feeds/FeedNames.h"
#include "feeds/FeedSchedule.h"

namespace zavra {
namespace {

FeedInfo Feed(const char16_t* name, FeedSync sync, uint32_t interval, int64_t lastAttempt) {
  FeedInfo f;
  f.name = name;
  f.sync = sync;
  f.interval = interval;
  f.lastAttempt = lastAttempt;
  return f;
}

TEST(FeedSchedule, DueFeedsAndTheNextWakeUp) {
  const int64_t now = 1'000'000;
  const std::vector<FeedInfo> feeds = {
      Feed(u"never tried", FeedSync::kDefault, 0, 0),
      Feed(u"default, 59 min ago", FeedSync::kDefault, 0, now - 59 * 60),
      Feed(u"15 min, 15 min ago", FeedSync::kInterval, 15, now - 15 * 60),
      Feed(u"manual", FeedSync::kManual, 15, 0),
      Feed(u"interval 0", FeedSync::kInterval, 0, 0),
      Feed(u"clock set back", FeedSync::kInterval, 15, now + 16 * 60),
      Feed(u"hostile time", FeedSync::kInterval, 15, INT64_MIN),
      Feed(kTempFeedName, FeedSync::kDefault, 0, 0),
  };
  const SyncPlan plan = PlanSync(feeds, 60, true, now);
  EXPECT_EQ(plan.due, (std::vector<std::u16string>{u"never tried", u"15 min, 15 min ago", u"clock set back", u"hostile time"}));
  EXPECT_EQ(plan.next, now + 60);
  EXPECT_TRUE(PlanSync(feeds, 60, false, now).due.empty()) << "background synchronisation off";
  EXPECT_EQ(PlanSync({feeds[2]}, 60, true, now - 1, 1).due.size(), 1u) << "short test minutes";
}

}  // namespace
}  // namespace zavra
