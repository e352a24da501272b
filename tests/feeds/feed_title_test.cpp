// Feed titles: the character references a note must show as characters, and those it must not.
#include <gtest/gtest.h>

#include "feeds/FeedTitle.h"

namespace zavra {
namespace {

TEST(FeedTitle, DecodesOnePassLeftToRight) {
  const struct {
    std::u16string in, out;
  } cases[] = {
      {u"Tom &amp; Jerry &#x263A;", u"Tom & Jerry \u263A"},
      {u"&amp;lt;", u"&lt;"},  // one pass: the result is not decoded again
      {u"&lt;b&gt; &quot;q&quot; &apos;a&apos;", u"<b> \"q\" 'a'"},
      {u"&#65;&#x42;&#x0043;", u"ABC"},
      {u"&#128512; &#x1F600;", u"\U0001F600 \U0001F600"},  // beyond U+FFFF: a surrogate pair
      {u"&#65 next", u"&#65 next"},                        // no semicolon: kept
      {u"&#X41; &#x; &#; &#-1;", u"&#X41; &#x; &#; &#-1;"},  // upper-case X and no digits: kept
      {u"&nbsp;&copy; &AMP; & alone &", u"&nbsp;&copy; &AMP; & alone &"},
      {u"&#0;cut &#xD800; &#x110000;", u"&#0;cut &#xD800; &#x110000;"},  // never a bad character
      {u"&#99999999999999999999999999;", u"&#99999999999999999999999999;"},  // saturates
      {u"&#x0000000000000041;", u"A"},                                        // leading zeros
      {std::u16string(u"before\0after", 12), u"before"},                      // ends at a zero
      {u"&amp", u"&amp"},
      {u"", u""},
  };
  for (const auto& c : cases) EXPECT_EQ(DecodeFeedTitle(c.in), c.out) << std::string(c.in.begin(), c.in.end());
}

}  // namespace
}  // namespace zavra
