#include "feeds/FeedItems.h"

#include <unordered_map>
#include <unordered_set>

namespace zavra {

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t' || c == u'\r' || c == u'\n' || c == 0x00A0; }

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool StartsWithNoCase(std::u16string_view s, std::u16string_view prefix) {
  if (s.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (Lower(s[i]) != prefix[i]) return false;
  return true;
}

// Length of "http://" or "https://" at the start, or 0.
size_t WebSchemeLength(std::u16string_view s) {
  if (StartsWithNoCase(s, u"http://")) return 7;
  if (StartsWithNoCase(s, u"https://")) return 8;
  return 0;
}

bool HasScheme(std::u16string_view s) {
  for (size_t i = 0; i < s.size(); ++i) {
    const char16_t c = s[i];
    if (c == u':') return i > 0;
    const bool alpha = (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    const bool more = (c >= u'0' && c <= u'9') || c == u'+' || c == u'-' || c == u'.';
    if (!alpha && !(i > 0 && more)) return false;
  }
  return false;
}

// 64-bit FNV-1a over the UTF-16 code units.
uint64_t HashText(std::u16string_view s) {
  uint64_t h = 0xCBF29CE484222325ull;
  for (char16_t c : s) {
    h = (h ^ (c & 0xFF)) * 0x100000001B3ull;
    h = (h ^ (c >> 8)) * 0x100000001B3ull;
  }
  return h;
}

}  // namespace

std::u16string ItemId(const ParsedItem& item) {
  if (!item.guid.empty()) return item.guid;
  if (!item.link.empty()) return item.link;
  std::u16string id = u"#";
  const uint64_t h = HashText(item.title);
  for (int shift = 60; shift >= 0; shift -= 4) id += u"0123456789abcdef"[(h >> shift) & 0xF];
  return id;
}

std::vector<StoredItem> MergeItems(const std::vector<StoredItem>& stored, const ParsedFeed& document, int64_t now) {
  std::unordered_map<std::u16string, const StoredItem*> before;
  for (const StoredItem& s : stored) before.emplace(s.id, &s);
  std::vector<StoredItem> merged;
  std::unordered_set<std::u16string> seen;
  for (const ParsedItem& p : document.items) {
    if (merged.size() == kMaxDocumentItems) break;
    StoredItem item;
    item.id = ItemId(p);
    if (!seen.insert(item.id).second) continue;
    item.title = p.title;
    item.link = p.link;
    item.firstSeen = now;
    if (const auto old = before.find(item.id); old != before.end()) {
      item.read = old->second->read;
      item.firstSeen = old->second->firstSeen;
    }
    merged.push_back(std::move(item));
  }
  for (const StoredItem& s : stored) {
    if (merged.size() == kMaxStoredItems) break;
    if (seen.insert(s.id).second) merged.push_back(s);
  }
  return merged;
}

std::u16string CollapseSpace(std::u16string_view text) {
  std::u16string out;
  bool gap = false;
  for (char16_t c : text) {
    if (IsBlank(c)) {
      gap = true;
      continue;
    }
    if (out.size() >= kMaxFeedTextChars) break;
    if (gap && !out.empty()) out += u' ';
    gap = false;
    out += c;
  }
  if (out.size() > kMaxFeedTextChars) out.resize(kMaxFeedTextChars);
  if (!out.empty() && out.back() >= 0xD800 && out.back() <= 0xDBFF) out.pop_back();
  return out;
}

std::u16string StripTags(std::u16string_view html) {
  std::u16string out;
  out.reserve(html.size());
  bool inTag = false;
  for (char16_t c : html) {
    if (inTag) {
      inTag = c != u'>';
    } else if (c == u'<') {
      inTag = true;
    } else {
      out += c;
    }
  }
  return out;
}

bool IsWebLink(std::u16string_view link) {
  const size_t scheme = WebSchemeLength(link);
  return scheme != 0 && link.size() > scheme && link[scheme] != u'/' && link[scheme] != u'?' && link[scheme] != u'#';
}

std::u16string HostOf(std::u16string_view url) {
  const size_t scheme = WebSchemeLength(url);
  if (!scheme) return {};
  std::u16string_view rest = url.substr(scheme);
  rest = rest.substr(0, rest.find_first_of(u"/?#"));
  if (const size_t at = rest.rfind(u'@'); at != std::u16string_view::npos) rest = rest.substr(at + 1);
  if (!rest.empty() && rest[0] == u'[') return std::u16string(rest.substr(0, rest.find(u']') + 1));
  return std::u16string(rest.substr(0, rest.find(u':')));
}

std::u16string ResolveLink(std::u16string_view base, std::u16string_view link) {
  const size_t scheme = WebSchemeLength(base);
  if (link.empty() || HasScheme(link) || !IsWebLink(base)) return std::u16string(link);
  const size_t pathStart = base.find_first_of(u"/?#", scheme);
  const std::u16string_view origin = base.substr(0, pathStart);
  if (link.starts_with(u"//")) return std::u16string(base.substr(0, scheme - 2)) + std::u16string(link);
  if (link[0] == u'/') return std::u16string(origin) + std::u16string(link);
  std::u16string_view path = pathStart == std::u16string_view::npos ? u"/" : base.substr(pathStart);
  path = path.substr(0, path.find_first_of(u"?#"));
  if (link[0] == u'?' || link[0] == u'#') return std::u16string(origin) + std::u16string(path) + std::u16string(link);
  const size_t slash = path.rfind(u'/');
  const std::u16string_view folder = slash == std::u16string_view::npos ? u"/" : path.substr(0, slash + 1);
  return std::u16string(origin) + std::u16string(folder.empty() ? u"/" : folder) + std::u16string(link);
}

}  // namespace zavra
