// The subscription helper's command line: what it subscribes and what it refuses.
#include <gtest/gtest.h>

#include "feedhelper/FeedAddress.h"

namespace zavra {
namespace {

TEST(FeedAddress, Table) {
  const struct {
    std::u16string line;
    FeedAddress::Kind kind;
    std::u16string url;
  } cases[] = {
      {u"http://x.com/rss", FeedAddress::kWeb, u"http://x.com/rss"},
      {u"  \"https://x.com/a b\"  ", FeedAddress::kWeb, u"https://x.com/a b"},
      {u"feed://x.com/rss", FeedAddress::kWeb, u"http://x.com/rss"},
      {u"FEED://x.com/rss", FeedAddress::kWeb, u"http://x.com/rss"},
      {u"feed:https://x.com/rss", FeedAddress::kWeb, u"https://x.com/rss"},
      {u"feed:http://x.com/rss", FeedAddress::kWeb, u"http://x.com/rss"},
      {u"HTTP://X.com/RSS", FeedAddress::kWeb, u"http://X.com/RSS"},
      {u"\"feed://x.com/\"", FeedAddress::kWeb, u"http://x.com/"},
      {u"", FeedAddress::kEmpty, u""},
      {u" \t ", FeedAddress::kEmpty, u""},
      {u"\"\"", FeedAddress::kEmpty, u""},
      {u"www.x.com/rss", FeedAddress::kRefused, u""},
      {u"x", FeedAddress::kRefused, u""},
      {u"feed:www.x.com", FeedAddress::kRefused, u""},
      {u"ftp://x.com/rss", FeedAddress::kRefused, u""},
      {u"file:///c:/feed.xml", FeedAddress::kRefused, u""},
      {u"javascript:alert(1)", FeedAddress::kRefused, u""},
      {u"http://", FeedAddress::kRefused, u""},
      {u"http:///path", FeedAddress::kRefused, u""},
      {u"\"http://x.com/\" extra", FeedAddress::kRefused, u""},
      {u"http://x.com/\nhttp://y", FeedAddress::kRefused, u""},
  };
  for (const auto& c : cases) {
    const FeedAddress a = NormaliseFeedAddress(c.line);
    EXPECT_EQ(a.kind, c.kind) << std::string(c.line.begin(), c.line.end());
    EXPECT_EQ(a.url, c.url) << std::string(c.line.begin(), c.line.end());
  }
}

}  // namespace
}  // namespace zavra
