#pragma once
// Feed item titles keep HTML character references after the XML reader has decoded its own
// layer ("A &amp;amp; B" arrives as "A &amp; B"); a note shows the characters themselves.
#include <string>
#include <string_view>

namespace zavra {

// One pass, left to right: &amp; &lt; &gt; &quot; &apos; and numeric references (&#65; and
// &#x41;, semicolon required) become their characters, code points above U+FFFF a surrogate
// pair. A reference to 0, a surrogate or beyond U+10FFFF, and anything else, stays as text.
// The title ends at its first zero character.
std::u16string DecodeFeedTitle(std::u16string_view title);

}  // namespace zavra
