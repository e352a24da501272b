#include "feeds/FeedManager.h"

#include <vector>

#include "feeds/FeedItems.h"
#include "feeds/FeedNames.h"
#include "feeds/FeedTitle.h"

namespace zavra {

CFeedManager::CFeedManager(IFeedStore& store, IRegistry& registry, IFeedNoteHost& host)
    : store_(store), registry_(registry), host_(host) {}

CFeedManager::~CFeedManager() {
  if (connected_) store_.Unadvise(this);
}

void CFeedManager::Start() {
  {
    const auto key = registry_.OpenSettingsKey();
    settings_ = ReadFeedSettings(key.get());
  }
  if (EffectiveFeedMode(settings_) == kFeedModeNone) return;
  std::vector<FeedInfo> feeds;
  if (store_.ListFeeds(feeds)) {
    for (const FeedInfo& feed : feeds)
      if (const auto category = FeedNoteCategory(settings_, feed.name)) ProcessFeed(feed.name, *category);
  }
  if (!connected_) connected_ = store_.Advise(this);
}

void CFeedManager::OnFeedDownloadCompleted(const std::u16string& name, int32_t error) {
  if (EffectiveFeedMode(settings_) == kFeedModeNone || error != kFeedOk || SameFeedName(name, kTempFeedName)) return;
  if (const auto category = FeedNoteCategory(settings_, name)) ProcessFeed(name, *category);
}

void CFeedManager::OnFeedRenamed(const std::u16string& name, const std::u16string& oldName) {
  if (EffectiveFeedMode(settings_) == kFeedModeNone) return;
  // Announced whether or not the new feed delivers notes.
  if (SameFeedName(oldName, kTempFeedName)) host_.ShowNewFeedBalloon(name);
  if (const auto category = FeedNoteCategory(settings_, name)) ProcessFeed(name, *category);
}

void CFeedManager::ProcessFeed(const std::u16string& name, uint32_t category) {
  // The helper's feed is not a subscription yet.
  if (SameFeedName(name, kTempFeedName)) return;
  const auto unread = store_.UnreadCount(name);
  std::vector<FeedItem> items;
  if (!unread || *unread == 0 || !store_.GetItems(name, items)) return;
  std::vector<std::u16string> delivered;
  for (const FeedItem& item : items) {
    if (item.read) continue;
    const std::u16string text = DecodeFeedTitle(item.title);
    // Note links are launched by the shell: a feed may only offer web pages. An item whose note
    // could not be saved stays unread and comes again with the next download.
    if (!text.empty() && !host_.NewFeedNote(text, IsWebLink(item.link) ? item.link : std::u16string(),
                                            category == 0 ? 1 : category))
      continue;
    delivered.push_back(item.id);
  }
  if (!delivered.empty()) store_.MarkRead(name, delivered);
}

}  // namespace zavra
