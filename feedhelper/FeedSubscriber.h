#pragma once
// What the subscription helper does with an address: adds the feed under the temporary name,
// downloads it, and renames it to its own title, so that the main program sees a new feed
// arrive with its items. Only one helper may run this at a time (the program holds a mutex):
// a temporary feed found here is then always one left by a helper that died.
#include <string>

#include "feeds/FeedStore.h"

namespace zavra {

struct SubscribeOutcome {
  enum Kind { kSubscribed, kAlreadySubscribed, kFailed, kDownloadFailed } kind = kFailed;
  std::u16string name;  // kSubscribed: the feed's name
};

SubscribeOutcome SubscribeFeed(IFeedStore& store, const std::u16string& url);

}  // namespace zavra
