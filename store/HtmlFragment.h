#pragma once
// The link and its text from the "HTML Format" block that browsers put on the clipboard: the
// anchor that starts the copied fragment. Clipboard data comes from any program, so the reader
// is bounded by the data alone and never trusts a terminator, a quote or a closing bracket.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace zavra {

struct HtmlAnchor {
  std::u16string link;  // the href value; empty when none was read
  std::u16string text;  // the visible text up to the next tag; empty when none was read
};

inline constexpr std::u16string_view kFragmentMarker = u"<!--StartFragment-->";

// UTF-8 to UTF-16, up to the first zero byte or the end. Malformed sequences become U+FFFD.
std::u16string Utf8ToUtf16(const uint8_t* data, size_t size);

// Reads the anchor that must start `fragment` (the text right after the marker): blanks, "<a",
// attributes up to an "href" with a quoted value, then the text up to the next "<". Whatever the
// text runs out before stays empty. Character references in link and text are decoded.
HtmlAnchor ReadFragmentAnchor(std::u16string_view fragment);

// The whole clipboard block: decoded from UTF-8, the marker found, the anchor after it read.
HtmlAnchor ReadHtmlClipboardAnchor(const uint8_t* data, size_t size);

}  // namespace zavra
