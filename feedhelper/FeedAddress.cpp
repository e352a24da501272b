#include "feedhelper/FeedAddress.h"

#include "feeds/FeedItems.h"

namespace zavra {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n'; }

std::u16string_view Trim(std::u16string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::u16string_view s, std::u16string_view lowerPrefix) {
  if (s.size() < lowerPrefix.size()) return false;
  for (size_t i = 0; i < lowerPrefix.size(); ++i) {
    const char16_t c = s[i] >= u'A' && s[i] <= u'Z' ? static_cast<char16_t>(s[i] + 32) : s[i];
    if (c != lowerPrefix[i]) return false;
  }
  return true;
}

}  // namespace

FeedAddress NormaliseFeedAddress(std::u16string_view line) {
  FeedAddress result;
  line = Trim(line);
  if (line.size() >= 2 && line.front() == u'"' && line.back() == u'"') line = Trim(line.substr(1, line.size() - 2));
  if (line.empty()) return result;
  result.kind = FeedAddress::kRefused;
  std::u16string url;
  if (StartsWithNoCase(line, u"feed://"))
    url = u"http://" + std::u16string(line.substr(7));
  else if (StartsWithNoCase(line, u"feed:"))
    url = std::u16string(Trim(line.substr(5)));
  else
    url = std::u16string(line);
  for (char16_t c : url)
    if (c < 0x20 || c == 0x7F) return result;
  if (!IsWebLink(url)) return result;
  const size_t colon = url.find(u':');
  for (size_t i = 0; i < colon; ++i)
    if (url[i] >= u'A' && url[i] <= u'Z') url[i] = static_cast<char16_t>(url[i] + 32);
  result.kind = FeedAddress::kWeb;
  result.url = std::move(url);
  return result;
}

}  // namespace zavra
