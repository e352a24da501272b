#pragma once
// Feed names: unique in the store without regard to case, and usable as file names (the
// platform's own feed store keeps feeds as files, so a name valid there is valid here).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "feeds/FeedSettings.h"

namespace zavra {

// The name under which the subscription helper adds a feed until it knows the feed's title.
inline constexpr char16_t kTempFeedName[] = u"Temp ZaVRA Temp";
inline constexpr size_t kMaxFeedNameChars = 200;

bool SameFeedName(std::u16string_view a, std::u16string_view b);
const FeedEntry* FindFeedEntry(const std::vector<FeedEntry>& feeds, std::u16string_view name);

// Not empty, at most kMaxFeedNameChars, no control characters, none of \ / : * ? " < > |,
// no blank or full stop at either end.
bool IsValidFeedName(std::u16string_view name);

// A valid name made from a feed's title: forbidden characters and runs of blanks become one
// space, the ends are trimmed, long titles are cut; empty when nothing usable is left.
std::u16string CleanFeedName(std::u16string_view title);

// `base`, else "base (2)", "base (3)", ... : the first that `taken` refuses, never the helper's
// temporary name. `base` must be valid; empty when every candidate is taken.
std::u16string UniqueFeedName(const std::u16string& base, const std::function<bool(const std::u16string&)>& taken);

}  // namespace zavra
