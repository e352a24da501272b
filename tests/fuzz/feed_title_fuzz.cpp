// Fuzz target of the feed title decoder: any text decodes without reading past it, never grows,
// never gains a zero or a lone surrogate, and text without ampersands stays as it is.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "feeds/FeedTitle.h"
#include "fuzz/FuzzTarget.h"
#include "fuzz/Mutator.h"

namespace zavra {

namespace {
size_t LoneSurrogates(std::u16string_view s) {
  size_t lone = 0;
  for (size_t i = 0; i < s.size(); ++i) {
    const bool high = s[i] >= 0xD800 && s[i] <= 0xDBFF, low = s[i] >= 0xDC00 && s[i] <= 0xDFFF;
    if (high && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) ++i;
    else lone += high || low;
  }
  return lone;
}
}  // namespace

int FuzzFeedTitle(const uint8_t* data, size_t size) {
  std::vector<char16_t> units(size / 2);  // exact size: a read past the end is caught
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  const std::u16string_view in(units.data(), units.size());
  const std::u16string out = DecodeFeedTitle(in);
  if (out.size() > in.size() || out.find(u'\0') != std::u16string::npos) std::abort();
  if (LoneSurrogates(out) > LoneSurrogates(in.substr(0, in.find(u'\0')))) std::abort();
  if (out.find(u'&') == std::u16string::npos && DecodeFeedTitle(out) != out) std::abort();
  return 0;
}

namespace {

TEST(FeedTitleFuzz, BoundedMutationRun) {
  std::vector<fuzz::Bytes> pool;
  for (std::u16string s : {u"Tom &amp; Jerry &#x263A; &#128512;", u"&amp;lt;&lt;&gt;&quot;&apos;",
                           u"&#65 &#x; &#0; &#xD800; &#x110000; &#9999999999999;", u"\U0001F600 &#x1F600;"}) {
    fuzz::Bytes b;
    for (char16_t c : s) b.insert(b.end(), {static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 8)});
    pool.push_back(b);
  }
  int shortened = 0;
  fuzz::RunMutations(pool, 100000, 20260418u, [&](const fuzz::Bytes& b) {
    FuzzFeedTitle(b.data(), b.size());
    std::u16string in(b.size() / 2, u'\0');
    for (size_t i = 0; i < in.size(); ++i) in[i] = static_cast<char16_t>(b[2 * i] | b[2 * i + 1] << 8);
    shortened += DecodeFeedTitle(in).size() < in.substr(0, in.find(u'\0')).size();
  });
  EXPECT_GT(shortened, 1000) << "mutants in which a reference still decoded";
}

}  // namespace
}  // namespace zavra

ZAVRA_FUZZ_ENTRY(zavra::FuzzFeedTitle)
