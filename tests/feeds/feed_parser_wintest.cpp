// Our corpus of feed documents through the XmlLite reader: the three formats with their
// namespaces, encodings and kinds of titles (decoded by the XML layer once: the notes decode
// the HTML references left), and the documents that must be refused.
#include <gtest/gtest.h>

#include "FeedCorpus.h"
#include "feeds/FeedParser_win.h"

namespace zavra {
namespace {

struct Want {
  std::u16string guid, title, link;
};

ParsedFeed Parse(const std::string& doc, const std::u16string& address, bool& ok) {
  ParsedFeed feed;
  ok = ParseFeedDocument(reinterpret_cast<const uint8_t*>(doc.data()), doc.size(), address, feed);
  return feed;
}

TEST(FeedParser, ReadsTheCorpus) {
  const struct {
    const wchar_t* resource;
    std::u16string address, title;
    std::vector<Want> items;
  } cases[] = {
      {L"RSS2", u"http://news.example.org/feeds/rss.xml", u"Harbour & Town News",
       {{u"urn:news:1001", u"Ferry <b>delayed</b> & rerouted", u"http://news.example.org/ferry"},
        {u"", u"Caf\u00e9 opens \u2014 &quot;best coffee&quot; &amp; more",
         u"http://news.example.org/cafe"},
        {u"", u"Market day moved", u""},
        {u"urn:news:1004", u"Relative link \U0001F6A2 \u263A", u"http://news.example.org/relative/path?x=1"},
        {u"", u"", u""}}},
      {L"RSS1", u"http://rdf.example.net/index.rdf", u"RDF Weekly",
       {{u"http://rdf.example.net/a", u"First &lt;story&gt;", u"http://rdf.example.net/a"},
        {u"http://rdf.example.net/b", u"Second story", u"http://rdf.example.net/b"}}},
      {L"ATOM", u"http://atom.example.com/feeds/main.atom", u"Atom Tales",
       {{u"tag:atom.example.com,2025:1", u"Bold &amp; brave", u"http://atom.example.com/bold"},
        {u"tag:atom.example.com,2025:2", u"Rich xhtml title", u"http://atom.example.com/feeds/entries/2"},
        {u"tag:atom.example.com,2025:3", u"Plain <text> title", u""}}},
      {L"ATOM_PREFIXED", u"https://p.example.com/", u"Prefixed", {{u"urn:1", u"Only entry", u"https://p.example.com/1"}}},
      {L"UTF16", u"http://de.example.de/", u"Zweite Seite", {{u"de-1", u"Gr\u00fc\u00dfe aus K\u00f6ln", u""}}},
  };
  for (const auto& c : cases) {
    bool ok = false;
    const ParsedFeed feed = Parse(test::CorpusDocument(c.resource), c.address, ok);
    ASSERT_TRUE(ok) << c.resource;
    EXPECT_EQ(feed.title, c.title) << c.resource;
    ASSERT_EQ(feed.items.size(), c.items.size()) << c.resource;
    for (size_t i = 0; i < c.items.size(); ++i) {
      EXPECT_EQ(feed.items[i].guid, c.items[i].guid) << c.resource << " item " << i;
      EXPECT_EQ(feed.items[i].title, c.items[i].title) << c.resource << " item " << i;
      EXPECT_EQ(feed.items[i].link, c.items[i].link) << c.resource << " item " << i;
    }
  }
}

TEST(FeedParser, RefusesWhatIsNoWellFormedFeed) {
  std::string deep = "<rss version=\"2.0\"><channel><title>Deep</title><item><title>x</title><description>";
  for (int i = 0; i < 100; ++i) deep += "<d>";
  for (int i = 0; i < 100; ++i) deep += "</d>";
  deep += "</description></item></channel></rss>";
  const struct {
    const char* what;
    std::string doc;
  } cases[] = {
      {"document type", test::CorpusDocument(L"DOCTYPE")},
      {"entity expansion", test::CorpusDocument(L"ENTITY_BOMB")},
      {"cut off", test::CorpusDocument(L"TRUNCATED")},
      {"web page", test::CorpusDocument(L"NOT_A_FEED")},
      {"unknown root", test::CorpusDocument(L"WRONG_ROOT")},
      {"nested too deep", deep},
      {"empty", ""},
      {"binary", std::string("\x89PNG\r\n\x1a\n\0\0\0", 12)},
  };
  for (const auto& c : cases) {
    bool ok = true;
    const ParsedFeed feed = Parse(c.doc, u"http://a/", ok);
    EXPECT_FALSE(ok) << c.what;
    EXPECT_TRUE(feed.items.empty()) << c.what;
  }
}

TEST(FeedParser, StopsAtTheItemLimit) {
  std::string doc = "<rss version=\"2.0\"><channel><title>Many</title>";
  for (int i = 0; i < 700; ++i) doc += "<item><title>Item " + std::to_string(i) + "</title></item>";
  doc += "</channel></rss>";
  bool ok = false;
  const ParsedFeed feed = Parse(doc, u"http://a/", ok);
  EXPECT_TRUE(ok);
  ASSERT_EQ(feed.items.size(), kMaxDocumentItems);
  EXPECT_EQ(feed.items.back().title, u"Item 499");
}

}  // namespace
}  // namespace zavra
