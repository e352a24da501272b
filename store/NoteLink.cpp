#include "store/NoteLink.h"

#include <algorithm>
#include <limits>

namespace zavra {

namespace {
constexpr std::u16string_view kNotePrefix = u"note:";
char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }
}  // namespace

bool IsNoteLink(std::u16string_view link) { return link.substr(0, kNotePrefix.size()) == kNotePrefix; }

uint32_t NoteLinkId(std::u16string_view link) {
  if (!IsNoteLink(link)) return 0;
  uint64_t id = 0;
  for (size_t i = kNotePrefix.size(); i < link.size() && link[i] >= u'0' && link[i] <= u'9'; ++i) {
    id = id * 10 + (link[i] - u'0');
    if (id > std::numeric_limits<uint32_t>::max()) return 0;
  }
  return static_cast<uint32_t>(id);
}

std::u16string MakeNoteLink(uint32_t id) {
  const std::string digits = std::to_string(id);
  return std::u16string(kNotePrefix) + std::u16string(digits.begin(), digits.end());
}

bool OpenNoteLink(std::u16string_view link, const OpenNoteFn& open) {
  if (!IsNoteLink(link)) return false;
  if (const uint32_t id = NoteLinkId(link); id != 0 && open) open(id);
  return true;
}

// A value like "%SystemRoot%\system32\url.dll,0", or with a negative resource id ",-153". The
// index is read like _wtoi: optional blanks and sign, then digits up to the first other.
IconLocation ParseIconLocation(std::u16string_view value) {
  IconLocation location;
  std::u16string_view file = value;
  const size_t comma = value.rfind(u',');
  if (comma != std::u16string_view::npos) {
    file = value.substr(0, comma);
    std::u16string_view index = value.substr(comma + 1);
    size_t i = 0;
    while (i < index.size() && (index[i] == u' ' || index[i] == u'\t')) ++i;
    bool negative = false;
    if (i < index.size() && (index[i] == u'-' || index[i] == u'+')) negative = index[i++] == u'-';
    int64_t v = 0;
    for (; i < index.size() && index[i] >= u'0' && index[i] <= u'9'; ++i)
      v = std::min<int64_t>(v * 10 + (index[i] - u'0'), int64_t{1} << 31);
    location.index = static_cast<int>(negative ? -std::min<int64_t>(v, int64_t{1} << 31)
                                               : std::min<int64_t>(v, std::numeric_limits<int>::max()));
  }
  constexpr std::u16string_view kTrim = u" \t\"";
  const size_t first = file.find_first_not_of(kTrim);
  if (first != std::u16string_view::npos) {
    const size_t last = file.find_last_not_of(kTrim);
    location.file = std::u16string(file.substr(first, last - first + 1));
  }
  return location;
}

std::u16string FileTitleOf(std::u16string_view path) {
  const size_t slash = path.find_last_of(u"\\/");
  std::u16string_view name = slash == std::u16string_view::npos ? path : path.substr(slash + 1);
  const size_t dot = name.rfind(u'.');
  if (dot != std::u16string_view::npos) name = name.substr(0, dot);
  return std::u16string(name);
}

bool HasExtension(std::u16string_view path, std::u16string_view extension) {
  if (path.size() < extension.size()) return false;
  const std::u16string_view tail = path.substr(path.size() - extension.size());
  for (size_t i = 0; i < tail.size(); ++i)
    if (LowerAscii(tail[i]) != LowerAscii(extension[i])) return false;
  return true;
}

}  // namespace zavra
