#include "feeds/FeedSettings.h"

#include "feeds/FeedNames.h"
#include "store/ByteIo.h"

namespace zavra {

namespace {
// A list of feed names stays far below this; a larger value is damage.
constexpr size_t kMaxFeedsValueBytes = 1 << 20;
}  // namespace

std::vector<FeedEntry> ParseFeedsValue(const std::vector<uint8_t>& bytes) {
  std::vector<FeedEntry> feeds;
  size_t at = 0;
  while (at < bytes.size()) {
    std::u16string name;
    bool terminated = false;
    while (at + 2 <= bytes.size()) {
      const char16_t c = static_cast<char16_t>(bytes::U16(&bytes[at]));
      at += 2;
      if (c == u'\0') {
        terminated = true;
        break;
      }
      name += c;
    }
    if (!terminated || bytes.size() - at < 4) break;
    const uint32_t category = bytes::U32(&bytes[at]);
    at += 4;
    if (name.empty() || FindFeedEntry(feeds, name)) continue;
    feeds.push_back({std::move(name), category});
  }
  return feeds;
}

std::vector<uint8_t> BuildFeedsValue(const std::vector<FeedEntry>& feeds) {
  std::vector<uint8_t> out;
  for (const FeedEntry& f : feeds) {
    for (char16_t c : f.name) bytes::PutU16(out, static_cast<uint16_t>(c));
    bytes::PutU16(out, 0);
    bytes::PutU32(out, f.category);
  }
  return out;
}

FeedSettings ReadFeedSettings(IRegistryKey* key) {
  FeedSettings s;
  if (!key) return s;
  const uint32_t mode = key->GetDword(kFeedModeValue).value_or(kFeedModeNone);
  s.mode = mode <= kFeedModeConfigured ? mode : kFeedModeNone;
  s.defaultCategory = key->GetDword(kFeedCateValue).value_or(1);
  if (auto value = key->GetBinary(kFeedsValue, kMaxFeedsValueBytes)) s.feeds = ParseFeedsValue(*value);
  return s;
}

void WriteFeedSettings(IRegistryKey* key, const FeedSettings& s, bool writeFeeds) {
  if (!key) return;
  key->SetDword(kFeedModeValue, s.mode);
  key->SetDword(kFeedCateValue, s.defaultCategory);
  if (!writeFeeds) return;
  if (s.feeds.empty())
    key->DeleteValue(kFeedsValue);
  else
    key->SetBinary(kFeedsValue, BuildFeedsValue(s.feeds));
}

uint32_t EffectiveFeedMode(const FeedSettings& s) {
  return s.mode == kFeedModeConfigured && s.feeds.empty() ? kFeedModeNone : s.mode;
}

std::optional<uint32_t> FeedNoteCategory(const FeedSettings& s, const std::u16string& feedName) {
  switch (EffectiveFeedMode(s)) {
    case kFeedModeAll:
      return s.defaultCategory;
    case kFeedModeConfigured:
      if (const FeedEntry* entry = FindFeedEntry(s.feeds, feedName))
        return entry->category != 0 ? entry->category : s.defaultCategory;
      return std::nullopt;
    default:
      return std::nullopt;
  }
}

}  // namespace zavra
