#include "feeds/FeedTitle.h"

#include <cstdint>

namespace zavra {

namespace {

constexpr uint32_t kBeyondUnicode = 0x110000;

struct NamedReference {
  std::u16string_view text;
  char16_t character;
};
constexpr NamedReference kNamed[] = {
    {u"&amp;", u'&'}, {u"&lt;", u'<'}, {u"&gt;", u'>'}, {u"&quot;", u'"'}, {u"&apos;", u'\''},
};

int DigitValue(char16_t c, bool hex) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (!hex) return -1;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// A numeric reference at the start of `s` ("&#..."): its length and code point, or 0 when
// it is not one that decodes.
size_t NumericReference(std::u16string_view s, uint32_t& codePoint) {
  size_t at = 2;
  const bool hex = at < s.size() && s[at] == u'x';
  if (hex) ++at;
  const size_t digitsFrom = at;
  uint32_t value = 0;
  for (int d; at < s.size() && (d = DigitValue(s[at], hex)) >= 0; ++at) {
    // Saturates: any longer run of digits is out of range anyway.
    value = value >= kBeyondUnicode ? kBeyondUnicode : value * (hex ? 16 : 10) + static_cast<uint32_t>(d);
  }
  if (at == digitsFrom || at >= s.size() || s[at] != u';') return 0;
  if (value == 0 || value >= kBeyondUnicode || (value >= 0xD800 && value <= 0xDFFF)) return 0;
  codePoint = value;
  return at + 1;
}

void AppendCodePoint(std::u16string& out, uint32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
    return;
  }
  c -= 0x10000;
  out += static_cast<char16_t>(0xD800 + (c >> 10));
  out += static_cast<char16_t>(0xDC00 + (c & 0x3FF));
}

}  // namespace

std::u16string DecodeFeedTitle(std::u16string_view title) {
  title = title.substr(0, title.find(u'\0'));
  std::u16string out;
  out.reserve(title.size());
  for (size_t i = 0; i < title.size();) {
    const std::u16string_view rest = title.substr(i);
    if (rest[0] != u'&') {
      out += rest[0];
      ++i;
      continue;
    }
    size_t used = 0;
    for (const NamedReference& named : kNamed) {
      if (rest.starts_with(named.text)) {
        out += named.character;
        used = named.text.size();
        break;
      }
    }
    uint32_t codePoint = 0;
    if (!used && rest.size() > 1 && rest[1] == u'#' && (used = NumericReference(rest, codePoint)) != 0)
      AppendCodePoint(out, codePoint);
    if (!used) {
      out += u'&';
      used = 1;
    }
    i += used;
  }
  return out;
}

}  // namespace zavra
