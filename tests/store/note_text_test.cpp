#include <gtest/gtest.h>

#include "store/NoteText.h"

namespace zavra {
namespace {

TEST(NoteText, FirstLine) {
  struct Case { std::u16string text, expected; };
  const Case cases[] = {
      {u"Buy milk. Then eggs", u"Buy milk."},
      {u"version 1.2 released", u"version 1.2 released"},
      {u" \t\r\n  Hello\r\nWorld", u"Hello"},
      {u"one\ntwo", u"one"},
      {u"a\tb\tc", u"a b c"},
      {u"stop; here", u"stop;"},
      {u"stop;\there", u"stop;"},
      {u"end.", u"end."},
      {u"x.y;z", u"x.y;z"},
      {u"", u""},
      {u" \r\n\t", u""},
      {u"\U0001F600 smile", u"\U0001F600 smile"},
      // One long paragraph makes a caption of bounded length.
      {std::u16string(256, u'a'), std::u16string(256, u'a')},
      {std::u16string(100000, u'a'), std::u16string(256, u'a') + u"\u2026"},
      {std::u16string(255, u'a') + u"\U0001F600b", std::u16string(255, u'a') + u"\u2026"},
  };
  for (const Case& c : cases) EXPECT_EQ(FirstLine(c.text), c.expected) << "text of " << c.text.size() << " units";
}

}  // namespace
}  // namespace zavra
