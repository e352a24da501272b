#include "feeds/FeedNames.h"

#include <string>

namespace zavra {

namespace {

char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool Forbidden(char16_t c) {
  return c < 0x20 || c == 0x7F || std::u16string_view(u"\\/:*?\"<>|").find(c) != std::u16string_view::npos;
}

bool TrimmedAway(char16_t c) { return c == u' ' || c == u'.' || c == 0x00A0 || c == 0x3000; }

}  // namespace

bool SameFeedName(std::u16string_view a, std::u16string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
  return true;
}

const FeedEntry* FindFeedEntry(const std::vector<FeedEntry>& feeds, std::u16string_view name) {
  for (const FeedEntry& f : feeds)
    if (SameFeedName(f.name, name)) return &f;
  return nullptr;
}

bool IsValidFeedName(std::u16string_view name) {
  if (name.empty() || name.size() > kMaxFeedNameChars) return false;
  if (TrimmedAway(name.front()) || TrimmedAway(name.back())) return false;
  for (char16_t c : name)
    if (Forbidden(c)) return false;
  return true;
}

std::u16string CleanFeedName(std::u16string_view title) {
  std::u16string out;
  bool gap = false;
  for (char16_t c : title) {
    if (Forbidden(c) || c == u' ' || c == 0x00A0) {
      gap = true;
      continue;
    }
    if (gap && !out.empty()) out += u' ';
    gap = false;
    out += c;
  }
  if (out.size() > kMaxFeedNameChars) {
    out.resize(kMaxFeedNameChars);
    // Never keep half of a surrogate pair.
    if (out.back() >= 0xD800 && out.back() <= 0xDBFF) out.pop_back();
  }
  while (!out.empty() && TrimmedAway(out.back())) out.pop_back();
  size_t lead = 0;
  while (lead < out.size() && TrimmedAway(out[lead])) ++lead;
  out.erase(0, lead);
  return out;
}

std::u16string UniqueFeedName(const std::u16string& base, const std::function<bool(const std::u16string&)>& taken) {
  for (int n = 1; n <= 1000; ++n) {
    std::u16string candidate = base;
    if (n > 1) {
      const std::string suffix = " (" + std::to_string(n) + ")";
      if (candidate.size() + suffix.size() > kMaxFeedNameChars) {
        candidate.resize(kMaxFeedNameChars - suffix.size());
        if (!candidate.empty() && candidate.back() >= 0xD800 && candidate.back() <= 0xDBFF) candidate.pop_back();
      }
      while (!candidate.empty() && TrimmedAway(candidate.back())) candidate.pop_back();
      candidate.append(suffix.begin(), suffix.end());
    }
    if (!IsValidFeedName(candidate) || SameFeedName(candidate, kTempFeedName)) continue;
    if (!taken(candidate)) return candidate;
  }
  return {};
}

}  // namespace zavra
