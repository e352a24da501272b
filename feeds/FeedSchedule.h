#pragma once
// When the background synchronisation downloads which feed.
#include <cstdint>
#include <string>
#include <vector>

#include "feeds/FeedStore.h"

namespace zavra {

// The feed's interval in minutes: its own, the store's default, or 0 (never in the background).
uint32_t EffectiveInterval(const FeedInfo& feed, uint32_t defaultInterval);

struct SyncPlan {
  std::vector<std::u16string> due;  // to download now
  int64_t next = INT64_MAX;         // when the next feed comes due (seconds), if none is due now
};

// `minuteSeconds` is the length of a minute in seconds (60; tests make it shorter). A feed is
// due when it was never tried, when its interval has passed since its last attempt, or when
// the clock was set back by more than the interval. The helper's temporary feed is its own.
SyncPlan PlanSync(const std::vector<FeedInfo>& feeds, uint32_t defaultInterval, bool background, int64_t now,
                  int64_t minuteSeconds = 60);

}  // namespace zavra
