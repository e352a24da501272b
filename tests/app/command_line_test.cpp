#include <gtest/gtest.h>
#include "app/CommandLine.h"

namespace zavra {
namespace {

struct SwitchCase {
  const char16_t* line;
  char16_t letter;
  int number;
  const char16_t* text;  // nullptr: no text
};

TEST(CommandLine, SwitchesTheirNumbersAndNoteText) {
  const SwitchCase cases[] = {
      {u"/n5 Buy milk", u'n', 5, u"Buy milk"},
      {u"/n5", u'n', 5, nullptr},
      {u"/n5 ", u'n', 5, nullptr},
      {u"/n", u'n', kNoSwitchNumber, nullptr},
      {u"/n Buy milk", u'n', kNoSwitchNumber, u"Buy milk"},
      {u"/n9  two blanks", u'n', 9, u" two blanks"},
      {u"/nx5 text", u'n', kNoSwitchNumber, u"text"},
      {u"   /p", u'p', kNoSwitchNumber, nullptr},
      {u"/p0", u'p', 0, nullptr},
      {u"/p12abc", u'p', 12, nullptr},
      {u"/fx", u'f', kNoSwitchNumber, nullptr},
      {u"/f3", u'f', 3, nullptr},
      {u"/q7", u'q', 7, nullptr},
      {u"/c", u'c', kNoSwitchNumber, nullptr},
      {u"/i", u'i', kNoSwitchNumber, nullptr},
      {u"/N5 upper case letter", u'N', 5, nullptr},
  };
  for (const auto& c : cases) {
    const Command cmd = ParseCommandLine(c.line);
    const std::u16string line = c.line;
    SCOPED_TRACE(std::string(line.begin(), line.end()));
    ASSERT_EQ(cmd.kind, Command::Kind::Switch);
    EXPECT_EQ(cmd.letter, c.letter);
    EXPECT_EQ(cmd.number, c.number);
    if (c.text) {
      ASSERT_TRUE(cmd.text.has_value());
      EXPECT_EQ(*cmd.text, c.text);
    } else {
      EXPECT_FALSE(cmd.text.has_value());
    }
  }
}

TEST(CommandLine, PathsRunToTheQuoteOrTheEnd) {
  EXPECT_EQ(ParseCommandLine(u"\"C:\\path with blanks\\x.zpn\"").path, u"C:\\path with blanks\\x.zpn");
  EXPECT_EQ(ParseCommandLine(u"C:\\path with blanks\\x.zpn").path, u"C:\\path with blanks\\x.zpn");
  EXPECT_EQ(ParseCommandLine(u"  note:5").path, u"note:5");
  EXPECT_EQ(ParseCommandLine(u"\"unterminated path").path, u"unterminated path");
  EXPECT_EQ(ParseCommandLine(u"before\"after").path, u"before");
  EXPECT_EQ(ParseCommandLine(u"C:\\a.zpn").kind, Command::Kind::Path);
}

TEST(CommandLine, EmptyAndDegenerateLinesDoNothing) {
  for (const char16_t* line : {u"", u"   ", u"\"", u"\"\"", u"/", u"   /"}) {
    const std::u16string s = line;
    EXPECT_EQ(ParseCommandLine(line).kind, Command::Kind::None) << std::string(s.begin(), s.end());
  }
}

TEST(CommandLine, HostileLinesStayBounded) {
  EXPECT_EQ(ParseCommandLine(u"/n99999999999999999999 x").number, INT32_MAX);
  EXPECT_EQ(ParseCommandLine(u"/p2147483648").number, INT32_MAX);
  EXPECT_EQ(ParseCommandLine(u"/p2147483647").number, INT32_MAX);

  std::u16string longText(10000, u'a');
  const Command n = ParseCommandLine(u"/n1 " + longText);
  ASSERT_TRUE(n.text.has_value());
  EXPECT_EQ(n.text->size(), 10000u);

  std::u16string digits(10000, u'9');
  EXPECT_EQ(ParseCommandLine(u"/q" + digits).number, INT32_MAX);

  const Command path = ParseCommandLine(std::u16string(10000, u'x'));
  EXPECT_EQ(path.path.size(), 10000u);
}

TEST(CommandLine, NoteLinksNeedTheExactWordAndANonZeroId) {
  EXPECT_EQ(ParseNoteLink(u"note:5"), 5u);
  EXPECT_EQ(ParseNoteLink(u"note:42abc"), 42u);
  EXPECT_EQ(ParseNoteLink(u"note:4294967295"), 4294967295u);
  EXPECT_FALSE(ParseNoteLink(u"note:0"));
  EXPECT_FALSE(ParseNoteLink(u"note:abc"));
  EXPECT_FALSE(ParseNoteLink(u"NOTE:5"));
  EXPECT_FALSE(ParseNoteLink(u"Note:5"));
  EXPECT_FALSE(ParseNoteLink(u"note5"));
  EXPECT_FALSE(ParseNoteLink(u"note:"));
  EXPECT_FALSE(ParseNoteLink(u"note:4294967296"));
  EXPECT_FALSE(ParseNoteLink(u"note:" + std::u16string(100, u'9')));
}

}  // namespace
}  // namespace zavra
