// Summary, file-name stem and first word, each against a table and the first line against a
// character-by-character reference over every short text of a small alphabet.
#include <gtest/gtest.h>

#include <string>

#include "store/NoteText.h"
#include "store/PortableNote.h"

namespace zavra {
namespace {

std::string Show(const std::u16string& s) {
  std::string out;
  for (char16_t c : s) {
    if (c == u'\n') out += "\\n";
    else if (c == u'\r') out += "\\r";
    else if (c == u'\t') out += "\\t";
    else if (c < 0x80) out += static_cast<char>(c);
    else out += "\\u" + std::to_string(c);
  }
  return "\"" + out + "\"";
}

struct Case {
  std::u16string text, expected;
};

TEST(NoteTextHelpers, Summary) {
  const Case cases[] = {
      {u"Buy milk. Then eggs. And bread", u"Buy milk. Then eggs."},
      {u"line one\nline two\nline three", u"line one line two"},
      {u"line one\r\nline two\r\nthree", u"line one line two"},
      {u"  \r\n\tfirst\tpart; second; third", u"first part; second;"},
      {u"one.\ntwo", u"one. two"},  // the point is no sentence end without a blank after it
      {u"one. \ntwo", u"one. "},     // sentence end, then the LF ends the second line
      {u"version 1.2 released", u"version 1.2 released"},
      {u"only one line", u"only one line"},
      {u"trailing\n", u"trailing "},
      {u"", u""},
      {u"\r\n \t", u""},
      {u"a\rb\nc\nd", u"ab c"},
      {std::u16string(600, u'x') + u"\ny", std::u16string(512, u'x') + u"\u2026"},
  };
  for (const Case& c : cases) EXPECT_EQ(Show(Summary(c.text)), Show(c.expected)) << "summary of " << Show(c.text);
}

TEST(NoteTextHelpers, FileNameStem) {
  const Case cases[] = {
      {u"To do: call", u"To do"},
      {u"\"Quoted\" title", u"Quoted"},
      {u"  ...//::Hidden name", u"Hidden name"},
      {u"a\tb\nsecond line", u"a b"},
      {u"12/05 meeting", u"12"},
      {u"why? because", u"why"},
      {u"pipe|star*lt<gt>back\\slash", u"pipe"},
      {u"*?<>|", u""},
      {u"", u""},
      {u"plain", u"plain"},
  };
  for (const Case& c : cases) EXPECT_EQ(Show(FileNameStem(c.text)), Show(c.expected)) << "stem of " << Show(c.text);
}

TEST(NoteTextHelpers, FirstWord) {
  const Case cases[] = {
      {u"http://a.b/c and more", u"http://a.b/c"},
      {u"word\tnext", u"word"},
      {u"word\r\nnext", u"word"},
      {u" leading blank", u""},
      {u"single", u"single"},
      {u"", u""},
  };
  for (const Case& c : cases) EXPECT_EQ(Show(FirstWord(c.text)), Show(c.expected)) << "first word of " << Show(c.text);
}

TEST(NoteTextHelpers, DefaultCopyFileName) {
  const Case cases[] = {
      {u"To do: call", u"To do.zpn"},
      {u"123456789012345678901234567890123", u"123456789012345678901234567890.zpn"},
      {u"*?:", u""},          // nothing to offer: the user names the file
      {u"   :   ", u""},
      // A pair cut in half at the 30th unit loses its first half too.
      {std::u16string(29, u'x') + u"\U0001F600tail", std::u16string(29, u'x') + u".zpn"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Show(DefaultCopyFileName(c.text)), Show(c.expected)) << "copy name of " << Show(c.text);
}

// The first line by its definition, one character at a time, as a slow reference.
std::u16string FirstLineReference(const std::u16string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == u' ' || text[i] == u'\t' || text[i] == u'\r' || text[i] == u'\n')) ++i;
  std::u16string out;
  for (; i < text.size() && text[i] != u'\r' && text[i] != u'\n' && text[i] != u'\0'; ++i) {
    out += text[i] == u'\t' ? u' ' : text[i];
    const bool end = (text[i] == u'.' || text[i] == u';') && i + 1 < text.size() &&
                     (text[i + 1] == u' ' || text[i + 1] == u'\t');
    if (end) break;
  }
  return out;
}

TEST(NoteTextHelpers, FirstLineAndSummaryAgreeWithReferenceOnEveryShortText) {
  const char16_t alphabet[] = {u'a', u' ', u'\t', u'.', u';', u'\n', u'\r'};
  constexpr int kSymbols = 7, kLength = 6;
  int total = 1;
  for (int i = 0; i < kLength; ++i) total *= kSymbols;
  for (int code = 0; code < total; ++code) {
    std::u16string text;
    for (int k = 0, c = code; k < kLength; ++k, c /= kSymbols) text += alphabet[c % kSymbols];
    const std::u16string first = FirstLine(text);
    ASSERT_EQ(Show(first), Show(FirstLineReference(text))) << "first line of " << Show(text);
    // The summary starts with the first line, with the line's own end (if LF) turned into a blank.
    const std::u16string summary = Summary(text);
    ASSERT_EQ(summary.substr(0, first.size()), first) << "summary of " << Show(text);
    ASSERT_EQ(summary.find(u'\r'), std::u16string::npos) << "summary of " << Show(text);
    ASSERT_EQ(summary.find(u'\t'), std::u16string::npos) << "summary of " << Show(text);
  }
}

}  // namespace
}  // namespace zavra
