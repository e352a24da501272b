// The anchor at the start of a copied HTML fragment: the table of well-formed and odd
// fragments, every truncation of a valid one, and the UTF-8 decoding of the clipboard block.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/HtmlFragment.h"

namespace zavra {
namespace {

std::string Narrow(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

// A block as browsers write it: the header with offsets, then the document with the marker.
std::vector<uint8_t> ClipboardBlock(const std::string& fragment) {
  const std::string doc = "<html><body>\r\n<!--StartFragment-->" + fragment + "<!--EndFragment-->\r\n</body></html>";
  return Bytes("Version:0.9\r\nStartHTML:00000097\r\nEndHTML:00000300\r\nStartFragment:00000131\r\n"
               "EndFragment:00000250\r\n" + doc);
}

TEST(HtmlFragment, AnchorTable) {
  struct Case {
    std::u16string fragment;
    std::string link, text;
  };
  const Case cases[] = {
      {u"<a href=\"http://x.org/\">Example</a>", "http://x.org/", "Example"},
      {u"   <A HREF=\"http://x.org/\">Upper</A>", "http://x.org/", "Upper"},
      {u"<a class=\"big link\" href=\"u\">T</a>", "u", "T"},          // blank inside another value
      {u"<a title=\"a > b\" href=\"u\">T</a>", "u", "T"},             // ">" inside another value
      {u"<a hreflang=\"en\" href=\"u\">T</a>", "u", "T"},             // not the href attribute
      {u"<a href = \"u\" target=\"_blank\">T</a>", "u", "T"},
      {u"<a href='single'>T</a>", "single", "T"},
      {u"<a href=\"a?x=1&amp;y=2\">Tom &amp; Jerry &#8364; &#x41;</a>", "a?x=1&y=2", "Tom & Jerry ? A"},
      {u"<a href=\"u\"></a>", "u", ""},                               // no visible text
      {u"<a href=\"\">T</a>", "", "T"},                                // empty target
      {u"<a href=\"u\"><img src=\"i.png\">Pic</a>", "u", ""},          // the text ends at the next tag
      {u"Plain text <a href=\"u\">T</a>", "", ""},                    // not at the start
      {u"<abbr href=\"u\">T</abbr>", "", ""},                         // not an anchor
      {u"<a>No target</a>", "", ""},
      {u"<a name=\"n\">No target</a>", "", ""},
      {u"<a href>T</a>", "", ""},
      {u"<a href=u>T</a>", "", ""},                                   // unquoted value
      {u"<a href=\"u>T</a>", "", ""},                                 // no closing quote
      {u"<a href=\"u\"", "u", ""},                                    // no ">"
      {u"<a href=\"u\">T", "u", ""},                                  // no closing tag
      {u"<a\thref=\"u\">T</a>", "", ""},                              // blanks are U+0020 only
      {u"", "", ""},
  };
  for (const Case& c : cases) {
    const HtmlAnchor a = ReadFragmentAnchor(c.fragment);
    EXPECT_EQ(Narrow(a.link), c.link) << "link of " << Narrow(c.fragment);
    EXPECT_EQ(Narrow(a.text), c.text) << "text of " << Narrow(c.fragment);
  }
}

// Every prefix of a valid fragment: the reader stops inside the data (ASan watches) and only
// ever yields a prefix-consistent result: the link once the closing quote is in, the text once
// the next tag has begun.
TEST(HtmlFragment, EveryTruncationPoint) {
  const std::u16string full = u"  <a id=\"x y\" href=\"http://q.example/p?a=1\" rel=\"n>o\">Visible &amp; text</a>";
  const size_t linkClosed = full.find(u"\" rel") + 1;
  const size_t textEnds = full.find(u"</a>") + 1;
  for (size_t n = 0; n <= full.size(); ++n) {
    // A heap copy of exactly n units, so reading one past it is caught.
    std::vector<char16_t> copy(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
    const HtmlAnchor a = ReadFragmentAnchor(std::u16string_view(copy.data(), copy.size()));
    EXPECT_EQ(Narrow(a.link), n >= linkClosed ? "http://q.example/p?a=1" : "") << "cut at " << n;
    EXPECT_EQ(Narrow(a.text), n >= textEnds ? "Visible & text" : "") << "cut at " << n;
  }
}

TEST(HtmlFragment, ClipboardBlock) {
  const std::vector<uint8_t> anchor = ClipboardBlock("<a href=\"https://w.example/\">W\xC3\xBC" "rde</a>");
  const HtmlAnchor a = ReadHtmlClipboardAnchor(anchor.data(), anchor.size());
  EXPECT_EQ(a.link, u"https://w.example/");
  EXPECT_EQ(a.text, u"W\u00FCrde") << "UTF-8 decoded";

  const std::vector<uint8_t> plain = ClipboardBlock("Some words <a href=\"u\">x</a>");
  const HtmlAnchor b = ReadHtmlClipboardAnchor(plain.data(), plain.size());
  EXPECT_TRUE(b.link.empty() && b.text.empty()) << "a fragment starting with text gives nothing";

  std::vector<uint8_t> noMarker = Bytes("<html><a href=\"u\">x</a></html>");
  const HtmlAnchor c = ReadHtmlClipboardAnchor(noMarker.data(), noMarker.size());
  EXPECT_TRUE(c.link.empty() && c.text.empty()) << "no marker";

  // Clipboard blocks are often longer than their zero-terminated text; what follows is ignored.
  std::vector<uint8_t> padded = Bytes("<!--StartFragment--><a href=\"u\">x<");
  padded.insert(padded.begin() + 20, 0);
  const HtmlAnchor d = ReadHtmlClipboardAnchor(padded.data(), padded.size());
  EXPECT_TRUE(d.link.empty()) << "read past the terminating zero";
}

TEST(HtmlFragment, Utf8Decoding) {
  struct Case {
    std::string bytes;
    std::u16string expected;
  };
  const Case cases[] = {
      {"plain", u"plain"},
      {"\xC3\xA9", u"\u00E9"},
      {"\xE2\x82\xAC", u"\u20AC"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xC0\xAF", u"\uFFFD\uFFFD"},          // overlong
      {"\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD"},  // an encoded surrogate
      {"\xE2\x82", u"\uFFFD\uFFFD"},          // cut short at the end
      {"a\xFFz", u"a\uFFFDz"},
      {"\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD"},  // above U+10FFFF
      {std::string("ab\0cd", 5), u"ab"},
  };
  for (const Case& c : cases) {
    const std::vector<uint8_t> b = Bytes(c.bytes);
    EXPECT_EQ(Utf8ToUtf16(b.data(), b.size()), c.expected) << "bytes of " << c.bytes.size();
  }
}

}  // namespace
}  // namespace zavra
