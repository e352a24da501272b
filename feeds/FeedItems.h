#pragma once
// What a feed document yields, the stable id of an item, and how a new download merges with
// the items already stored so that read flags survive.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "feeds/FeedStore.h"

namespace zavra {

// A document's items beyond this are ignored; a store keeps at most kMaxStoredItems per feed,
// the ones that left the document going first.
inline constexpr size_t kMaxDocumentItems = 500;
inline constexpr size_t kMaxStoredItems = 1000;
// Longer titles, links and ids are cut.
inline constexpr size_t kMaxFeedTextChars = 4096;

struct ParsedItem {
  std::u16string guid;
  std::u16string link;
  std::u16string title;
};

struct ParsedFeed {
  std::u16string title;
  std::vector<ParsedItem> items;
};

struct StoredItem : FeedItem {
  int64_t firstSeen = 0;  // seconds since 1970 UTC
};

// The item's guid, else its link, else "#" and a hash of its title.
std::u16string ItemId(const ParsedItem& item);

// The document's items first, in its order, each keeping the read flag and first-seen time it
// had; then the stored items the document no longer holds, up to kMaxStoredItems in all.
std::vector<StoredItem> MergeItems(const std::vector<StoredItem>& stored, const ParsedFeed& document, int64_t now);

// Trims and turns every run of blanks, tabs and line breaks into one space; cuts at
// kMaxFeedTextChars.
std::u16string CollapseSpace(std::u16string_view text);
// The text of an HTML fragment: tags removed, character references left for the title decoder.
std::u16string StripTags(std::u16string_view html);

// True for an absolute http or https address (any case) with a host.
bool IsWebLink(std::u16string_view link);
// `link` made absolute against the document's address `base`; unchanged when it has a scheme
// or the base is no web address.
std::u16string ResolveLink(std::u16string_view base, std::u16string_view link);
// The host of a web address, or empty.
std::u16string HostOf(std::u16string_view url);

}  // namespace zavra
