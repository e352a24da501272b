#pragma once
// The feed settings of the settings key: "FeedMode", "FeedCate" and the configured feeds in
// "Feeds" (each entry the feed's name in UTF-16 with its terminating zero, then its category
// id as a 32-bit little-endian number, 0 = the default category; no padding).
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "store/Registry.h"

namespace zavra {

enum FeedMode : uint32_t { kFeedModeNone = 0, kFeedModeAll = 1, kFeedModeConfigured = 2 };

struct FeedEntry {
  std::u16string name;
  uint32_t category = 0;
  bool operator==(const FeedEntry&) const = default;
};

struct FeedSettings {
  uint32_t mode = kFeedModeNone;
  uint32_t defaultCategory = 1;
  std::vector<FeedEntry> feeds;
};

inline constexpr char16_t kFeedModeValue[] = u"FeedMode";
inline constexpr char16_t kFeedCateValue[] = u"FeedCate";
inline constexpr char16_t kFeedsValue[] = u"Feeds";

// Entries until the data ends; an entry cut short, one without a name and a repeated name
// (compared without regard to case) are dropped.
std::vector<FeedEntry> ParseFeedsValue(const std::vector<uint8_t>& bytes);
std::vector<uint8_t> BuildFeedsValue(const std::vector<FeedEntry>& feeds);

// Missing or invalid values give the defaults; a null key gives all defaults.
FeedSettings ReadFeedSettings(IRegistryKey* key);
// "Feeds" is deleted when no feed is configured, and left alone unless `writeFeeds`.
void WriteFeedSettings(IRegistryKey* key, const FeedSettings& settings, bool writeFeeds);

// Mode 2 without a configured feed delivers nothing, like mode 0.
uint32_t EffectiveFeedMode(const FeedSettings& settings);

// The category the notes of `feedName` go to, or nothing when the feed delivers no notes.
std::optional<uint32_t> FeedNoteCategory(const FeedSettings& settings, const std::u16string& feedName);

}  // namespace zavra
