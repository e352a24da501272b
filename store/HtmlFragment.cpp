#include "store/HtmlFragment.h"

#include <cstring>

namespace zavra {

namespace {

constexpr char16_t kReplacement = 0xFFFD;

void AppendCodePoint(std::u16string& out, uint32_t cp) {
  if (cp >= 0x10000) {
    cp -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
  } else {
    out.push_back(static_cast<char16_t>(cp));
  }
}

char16_t LowerAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool StartsWithNoCase(std::u16string_view s, size_t at, std::u16string_view word) {
  if (s.size() - at < word.size()) return false;
  for (size_t k = 0; k < word.size(); ++k)
    if (LowerAscii(s[at + k]) != word[k]) return false;
  return true;
}

// "&#65;", "&#x41;" and the named references a copied link or title commonly holds. Anything
// else is kept as written.
std::u16string DecodeReferences(std::u16string_view s) {
  static constexpr struct { std::u16string_view name; char16_t c; } kNamed[] = {
      {u"amp;", u'&'}, {u"lt;", u'<'}, {u"gt;", u'>'}, {u"quot;", u'"'}, {u"apos;", u'\''}, {u"nbsp;", u' '},
  };
  std::u16string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    if (s[i] != u'&') {
      out.push_back(s[i++]);
      continue;
    }
    bool done = false;
    for (const auto& named : kNamed) {
      if (StartsWithNoCase(s, i + 1, named.name)) {
        out.push_back(named.c);
        i += 1 + named.name.size();
        done = true;
        break;
      }
    }
    if (!done && i + 2 < s.size() && s[i + 1] == u'#') {
      const bool hex = s[i + 2] == u'x' || s[i + 2] == u'X';
      size_t j = i + (hex ? 3 : 2);
      uint32_t cp = 0;
      size_t digits = 0;
      for (; j < s.size() && digits < 8; ++j, ++digits) {
        const char16_t c = s[j];
        uint32_t v = 0;
        if (c >= u'0' && c <= u'9') {
          v = c - u'0';
        } else if (hex && LowerAscii(c) >= u'a' && LowerAscii(c) <= u'f') {
          v = LowerAscii(c) - u'a' + 10;
        } else {
          break;
        }
        cp = cp * (hex ? 16 : 10) + v;
      }
      const bool valid = digits > 0 && j < s.size() && s[j] == u';' && cp != 0 && cp <= 0x10FFFF &&
                         !(cp >= 0xD800 && cp <= 0xDFFF);
      if (valid) {
        AppendCodePoint(out, cp);
        i = j + 1;
        done = true;
      }
    }
    if (!done) out.push_back(s[i++]);
  }
  return out;
}

}  // namespace

std::u16string Utf8ToUtf16(const uint8_t* data, size_t size) {
  const void* zero = size ? std::memchr(data, 0, size) : nullptr;
  if (zero) size = static_cast<size_t>(static_cast<const uint8_t*>(zero) - data);
  std::u16string out;
  out.reserve(size);
  for (size_t i = 0; i < size;) {
    const uint8_t b = data[i];
    if (b < 0x80) {
      out.push_back(b);
      ++i;
      continue;
    }
    size_t extra = 0;
    uint32_t cp = 0, min = 0;
    if ((b & 0xE0) == 0xC0) {
      extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
      extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
      extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    size_t k = 1;
    for (; k <= extra && i + k < size && (data[i + k] & 0xC0) == 0x80; ++k) cp = cp << 6 | (data[i + k] & 0x3F);
    if (k <= extra || cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
      // One replacement for the lead byte; the bytes after it are looked at afresh.
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    AppendCodePoint(out, cp);
    i += k;
  }
  return out;
}

HtmlAnchor ReadFragmentAnchor(std::u16string_view f) {
  HtmlAnchor anchor;
  const size_t n = f.size();
  size_t i = 0;
  auto skipBlanks = [&] {
    while (i < n && f[i] == u' ') ++i;
  };
  skipBlanks();
  if (i >= n || f[i] != u'<') return anchor;
  ++i;
  if (i >= n || (f[i] != u'a' && f[i] != u'A')) return anchor;
  ++i;
  // "<abbr>" and "<area>" start with an "a" too but are no anchors.
  if (i >= n || (f[i] != u' ' && f[i] != u'>')) return anchor;

  // Attributes up to "href"; values of the others may hold blanks and ">" inside quotes.
  for (;;) {
    skipBlanks();
    if (i >= n || f[i] == u'>') return anchor;
    if (StartsWithNoCase(f, i, u"href") && (i + 4 == n || f[i + 4] == u' ' || f[i + 4] == u'=')) {
      i += 4;
      break;
    }
    char16_t quote = 0;
    for (; i < n; ++i) {
      const char16_t c = f[i];
      if (quote) {
        if (c == quote) quote = 0;
      } else if ((c == u'"' || c == u'\'') && i > 0 && f[i - 1] == u'=') {
        quote = c;
      } else if (c == u' ') {
        break;
      } else if (c == u'>') {
        return anchor;
      }
    }
  }

  skipBlanks();
  if (i >= n || f[i] != u'=') return anchor;
  ++i;
  skipBlanks();
  if (i >= n || (f[i] != u'"' && f[i] != u'\'')) return anchor;
  const char16_t quote = f[i++];
  const size_t close = f.find(quote, i);
  if (close == std::u16string_view::npos) return anchor;
  anchor.link = DecodeReferences(f.substr(i, close - i));
  i = close + 1;

  // The rest of the tag, whose attribute values may hold ">".
  char16_t inQuote = 0;
  for (; i < n; ++i) {
    const char16_t c = f[i];
    if (inQuote) {
      if (c == inQuote) inQuote = 0;
    } else if ((c == u'"' || c == u'\'') && f[i - 1] == u'=') {
      inQuote = c;
    } else if (c == u'>') {
      break;
    }
  }
  if (i >= n) return anchor;
  ++i;
  const size_t end = f.find(u'<', i);
  if (end == std::u16string_view::npos) return anchor;
  anchor.text = DecodeReferences(f.substr(i, end - i));
  return anchor;
}

HtmlAnchor ReadHtmlClipboardAnchor(const uint8_t* data, size_t size) {
  const std::u16string html = Utf8ToUtf16(data, size);
  const size_t marker = html.find(kFragmentMarker);
  if (marker == std::u16string::npos) return {};
  return ReadFragmentAnchor(std::u16string_view(html).substr(marker + kFragmentMarker.size()));
}

}  // namespace zavra
