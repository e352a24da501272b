#include "feeds/FeedSchedule.h"

#include <algorithm>

#include "feeds/FeedNames.h"

namespace zavra {

uint32_t EffectiveInterval(const FeedInfo& feed, uint32_t defaultInterval) {
  switch (feed.sync) {
    case FeedSync::kDefault: return defaultInterval;
    case FeedSync::kInterval: return feed.interval;
    default: return 0;
  }
}

SyncPlan PlanSync(const std::vector<FeedInfo>& feeds, uint32_t defaultInterval, bool background, int64_t now,
                  int64_t minuteSeconds) {
  SyncPlan plan;
  if (!background) return plan;
  for (const FeedInfo& feed : feeds) {
    const uint32_t minutes = EffectiveInterval(feed, defaultInterval);
    if (minutes == 0 || SameFeedName(feed.name, kTempFeedName)) continue;
    const int64_t period = static_cast<int64_t>(minutes) * std::max<int64_t>(minuteSeconds, 1);
    const bool setBack = feed.lastAttempt > now && feed.lastAttempt - now > period;
    if (feed.lastAttempt <= 0 || setBack || now - feed.lastAttempt >= period)
      plan.due.push_back(feed.name);
    else
      plan.next = std::min(plan.next, feed.lastAttempt + period);
  }
  return plan;
}

}  // namespace zavra
