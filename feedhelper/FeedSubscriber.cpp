#include "feedhelper/FeedSubscriber.h"

#include "feeds/FeedItems.h"
#include "feeds/FeedNames.h"

namespace zavra {

SubscribeOutcome SubscribeFeed(IFeedStore& store, const std::u16string& url) {
  SubscribeOutcome outcome;
  if (store.GetFeedByUrl(url)) {
    outcome.kind = SubscribeOutcome::kAlreadySubscribed;
    return outcome;
  }
  const std::u16string temp = kTempFeedName;
  if (store.GetFeed(temp)) store.DeleteFeed(temp);
  if (store.CreateFeed(temp, url) != FeedResult::kOk) return outcome;
  if (store.Download(temp) != kFeedOk) {
    store.DeleteFeed(temp);
    outcome.kind = SubscribeOutcome::kDownloadFailed;
    return outcome;
  }
  // A title that is no valid name is cleaned; a feed without one is named after its host.
  const auto feed = store.GetFeed(temp);
  std::u16string base = feed ? CleanFeedName(feed->title) : std::u16string();
  if (base.empty()) base = CleanFeedName(HostOf(url));
  if (base.empty()) base = u"Feed";
  // Another program may take a name between the test and the rename: the next one is tried.
  for (int attempt = 0; attempt < 20; ++attempt) {
    const std::u16string name = UniqueFeedName(base, [&](const std::u16string& n) { return store.GetFeed(n).has_value(); });
    if (name.empty()) break;
    const FeedResult renamed = store.RenameFeed(temp, name);
    if (renamed == FeedResult::kOk) {
      outcome.kind = SubscribeOutcome::kSubscribed;
      outcome.name = name;
      return outcome;
    }
    if (renamed != FeedResult::kExists) break;
  }
  store.DeleteFeed(temp);
  return outcome;
}

}  // namespace zavra
