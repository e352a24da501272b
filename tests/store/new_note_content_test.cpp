// The choice of text and link for a new note among the clipboard's formats.
#include <gtest/gtest.h>

#include <string>

#include "store/NewNoteContent.h"

namespace zavra {
namespace {

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// Stands in for PathIsURLW: a scheme of two or more letters, then a colon.
bool LooksLikeUrl(const std::u16string& s) {
  const size_t colon = s.find(u':');
  if (colon == std::u16string::npos || colon < 2) return false;
  for (size_t i = 0; i < colon; ++i)
    if (!((s[i] >= u'a' && s[i] <= u'z') || (s[i] >= u'A' && s[i] <= u'Z'))) return false;
  return true;
}

std::vector<uint8_t> Html(const std::string& fragment) {
  const std::string s = "Version:0.9\r\nStartHTML:0\r\n<html><body><!--StartFragment-->" + fragment +
                        "<!--EndFragment--></body></html>";
  return std::vector<uint8_t>(s.begin(), s.end());
}

struct Result {
  std::string text, link;
};

Result From(const ClipboardContent& clip) {
  NOTE_PAD note;
  note.link = u"stale";
  FillNewNoteContent(note, nullptr, &clip, LooksLikeUrl, u"<New Note>");
  return {Narrow(note.text), Narrow(note.link)};
}

TEST(NewNoteContent, GivenTextWinsAndHasNoLink) {
  ClipboardContent clip;
  clip.hasText = true;
  clip.text = u"http://clip/";
  const std::u16string given = u"http://given/ text";
  NOTE_PAD note;
  FillNewNoteContent(note, &given, &clip, LooksLikeUrl, u"<New Note>");
  EXPECT_EQ(note.text, given);
  EXPECT_EQ(note.link, u"");
}

TEST(NewNoteContent, NothingReadableGivesTheNewNoteText) {
  NOTE_PAD note;
  FillNewNoteContent(note, nullptr, nullptr, LooksLikeUrl, u"<New Note>");
  EXPECT_EQ(Narrow(note.text), "<New Note>") << "clipboard could not be opened";
  const Result empty = From(ClipboardContent{});
  EXPECT_EQ(empty.text, "<New Note>");
  EXPECT_EQ(empty.link, "");
  const std::u16string none;
  FillNewNoteContent(note, &none, nullptr, LooksLikeUrl, u"<New Note>");
  EXPECT_EQ(Narrow(note.text), "<New Note>") << "an empty given text";
}

TEST(NewNoteContent, DroppedFiles) {
  ClipboardContent clip;
  clip.hasDrop = true;
  clip.dropPath = u"C:\\Users\\me\\Report.docx";
  clip.hasText = true;
  clip.text = u"ignored";
  const Result file = From(clip);
  EXPECT_EQ(file.text, "Report");
  EXPECT_EQ(file.link, "\"C:\\Users\\me\\Report.docx\"");

  clip.dropPath = u"C:\\Links\\Example Site.url";
  clip.dropUrl = u"https://example.org/";
  const Result shortcut = From(clip);
  EXPECT_EQ(shortcut.text, "Example Site");
  EXPECT_EQ(shortcut.link, "https://example.org/");

  clip = {};
  clip.hasDrop = true;
  clip.dropPath = u"C:\\dir\\.hidden";  // a title of nothing
  const Result hidden = From(clip);
  EXPECT_EQ(hidden.text, "<New Note>");
  EXPECT_EQ(hidden.link, "\"C:\\dir\\.hidden\"");
}

TEST(NewNoteContent, HtmlAnchorOrPlainText) {
  ClipboardContent clip;
  clip.hasText = true;
  clip.text = u"Example page";
  clip.html = Html("<a href=\"https://example.org/page\">Example page</a>");
  const Result anchor = From(clip);
  EXPECT_EQ(anchor.text, "Example page");
  EXPECT_EQ(anchor.link, "https://example.org/page");

  clip.text = u"Some words and a link";
  clip.html = Html("Some words and <a href=\"https://example.org/\">a link</a>");
  const Result plain = From(clip);
  EXPECT_EQ(plain.text, "Some words and a link") << "nothing from HTML, the plain text instead";
  EXPECT_EQ(plain.link, "");

  // An anchor around a picture has a target but no text: the plain text joins the target.
  clip.text = u"caption";
  clip.html = Html("<a href=\"https://example.org/pic\"><img src=\"p.png\"></a>");
  const Result picture = From(clip);
  EXPECT_EQ(picture.text, "caption");
  EXPECT_EQ(picture.link, "https://example.org/pic");
}

TEST(NewNoteContent, PlainTextLinks) {
  struct Case {
    std::u16string text;
    std::string link;
  };
  const Case cases[] = {
      {u"https://example.org/a then some words", "https://example.org/a"},
      {u"http://x.org\r\nsecond line", "http://x.org"},
      {u"Plain words https://example.org/", ""},
      {u"www.example.org is not a URL", ""},
      {u"https://example.org/" + std::u16string(240, u'a') + u" words", ""},  // 260 units or more
      {u"https://example.org/" + std::u16string(239, u'a'), "https://example.org/" + std::string(239, 'a')},
  };
  for (const Case& c : cases) {
    ClipboardContent clip;
    clip.hasText = true;
    clip.text = c.text;
    const Result r = From(clip);
    EXPECT_EQ(r.link, c.link) << Narrow(c.text).substr(0, 40);
    EXPECT_EQ(r.text, Narrow(c.text));
  }
}

TEST(NewNoteContent, CopiedNoteGivesItsLink) {
  ClipboardContent clip;
  clip.hasText = true;
  clip.text = u"https://example.org/ copied note";
  clip.noteId = 4711;
  const Result r = From(clip);
  EXPECT_EQ(r.text, "https://example.org/ copied note");
  EXPECT_EQ(r.link, "note:4711") << "the note id wins over a URL in the text";
}

}  // namespace
}  // namespace zavra
