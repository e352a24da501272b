// Fuzz target of the HTML clipboard reader: any bytes decode and read without leaving the
// data, the decoded text is valid UTF-16, and what the anchor gives is found in the fragment.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/FuzzTarget.h"
#include "fuzz/Mutator.h"
#include "store/HtmlFragment.h"

namespace zavra {

namespace {

bool ValidUtf16(const std::u16string& s) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] >= 0xD800 && s[i] <= 0xDBFF) {
      if (i + 1 >= s.size() || s[i + 1] < 0xDC00 || s[i + 1] > 0xDFFF) return false;
      ++i;
    } else if (s[i] >= 0xDC00 && s[i] <= 0xDFFF) {
      return false;
    }
  }
  return true;
}

}  // namespace

int FuzzHtmlAnchor(const uint8_t* data, size_t size) {
  // An exact-size copy, so that a read past the end is caught even when the caller's buffer is larger.
  const std::vector<uint8_t> bytes(data, data + size);
  const std::u16string text = Utf8ToUtf16(bytes.data(), bytes.size());
  if (!ValidUtf16(text) || text.size() > size) std::abort();
  const HtmlAnchor a = ReadHtmlClipboardAnchor(bytes.data(), bytes.size());
  // Character references only ever shorten; without a marker nothing is read.
  if (a.link.size() > text.size() || a.text.size() > text.size()) std::abort();
  if (text.find(kFragmentMarker) == std::u16string::npos && (!a.link.empty() || !a.text.empty())) std::abort();
  // The reader on the decoded text directly, cut to an exact-size buffer.
  const std::vector<char16_t> units(text.begin(), text.end());
  const HtmlAnchor b = ReadFragmentAnchor(std::u16string_view(units.data(), units.size()));
  if (b.link.size() > units.size() || b.text.size() > units.size()) std::abort();
  return 0;
}

namespace {

TEST(HtmlAnchorFuzz, BoundedMutationRun) {
  const std::vector<std::string> seeds = {
      "Version:0.9\r\nStartHTML:1\r\n<!--StartFragment--><a href=\"http://x/\">X &amp; Y</a><!--EndFragment-->",
      "<!--StartFragment-->  <A title=\"a > b\" HREF = 'u'>t\xC3\xA9xt</A>",
      "<!--StartFragment--><a hreflang=\"en\" href=\"&#x41;&#65;\">\xF0\x9F\x98\x80</a>",
      "<!--StartFragment-->plain <b>bold</b>",
      "<!--StartFragment--><a href=\"unterminated",
  };
  std::vector<fuzz::Bytes> pool;
  for (const std::string& s : seeds) pool.emplace_back(s.begin(), s.end());
  int withLink = 0, withText = 0;
  fuzz::RunMutations(pool, 100000, 20261208u, [&](const fuzz::Bytes& b) {
    FuzzHtmlAnchor(b.data(), b.size());
    const HtmlAnchor a = ReadHtmlClipboardAnchor(b.data(), b.size());
    withLink += !a.link.empty();
    withText += !a.text.empty();
  });
  // The run must keep reaching the reader's success paths, not only its early exits.
  EXPECT_GT(withLink, 50) << "mutants that still gave a link";
  EXPECT_GT(withText, 50) << "mutants that still gave a text";
}

}  // namespace
}  // namespace zavra

ZAVRA_FUZZ_ENTRY(zavra::FuzzHtmlAnchor)
