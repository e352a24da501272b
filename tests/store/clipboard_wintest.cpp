// The real clipboard under Wine: copying notes in each mode, and new-note content from what
// this test (standing in for other programs) put there: a copied note, dropped files with an
// Internet shortcut, an HTML fragment and plain text.
#include <gtest/gtest.h>

#include "framework/Win.h"

#include <shlobj.h>

#include <cstring>
#include <string>

#include "framework/Handles.h"
#include "store/Clipboard_win.h"
#include "tests/store/LinksWinTestSupport.h"

namespace zavra {
namespace {

std::string Narrow(std::u16string_view s) {
  std::string out;
  for (char16_t c : s) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

// Puts raw formats on the clipboard as another program would.
class ClipboardWriter {
 public:
  explicit ClipboardWriter(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {
    if (open_) ::EmptyClipboard();
  }
  ~ClipboardWriter() {
    if (open_) ::CloseClipboard();
  }
  ClipboardWriter(const ClipboardWriter&) = delete;
  ClipboardWriter& operator=(const ClipboardWriter&) = delete;
  bool ok() const { return open_; }
  void Put(UINT format, const void* data, size_t size) {
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(::GlobalLock(h), data, size);
    ::GlobalUnlock(h);
    if (!::SetClipboardData(format, h)) ::GlobalFree(h);
  }
  void PutText(const std::wstring& text) { Put(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t)); }
  void PutHtml(const std::string& utf8) {
    Put(::RegisterClipboardFormatW(L"HTML Format"), utf8.c_str(), utf8.size() + 1);
  }
  void PutFiles(const std::vector<std::u16string>& paths) {
    std::vector<uint8_t> block(sizeof(DROPFILES));
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    for (const auto& p : paths) {
      const auto* b = reinterpret_cast<const uint8_t*>(p.c_str());
      block.insert(block.end(), b, b + (p.size() + 1) * 2);
    }
    block.push_back(0);
    block.push_back(0);
    Put(CF_HDROP, block.data(), block.size());
  }

 private:
  bool open_;
};

class ClipboardWinTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window.get()) << "no window: is DISPLAY set?"; }

  NOTE_PAD NewNote() {
    NOTE_PAD note;
    NewNoteContent(note, nullptr, window.get());
    return note;
  }
  UINT FormatCount() {
    if (!::OpenClipboard(window.get())) return 999;
    const UINT n = static_cast<UINT>(::CountClipboardFormats());
    ::CloseClipboard();
    return n;
  }

  test::HiddenWindow window;
  test::WinTemp temp;
};

TEST_F(ClipboardWinTest, CopiedNoteBecomesLinkAndTextOfTheNextNewNote) {
  NOTE_PAD note;
  note.id = 4711;
  note.text = u"Copied https://example.org/ text";
  note.link = u"C:\\somewhere\\file.txt";
  ASSERT_TRUE(CopyNoteToClipboard(window.get(), note, kCopyText | kCopyNoteId));
  const NOTE_PAD made = NewNote();
  EXPECT_EQ(Narrow(made.text), Narrow(note.text));
  EXPECT_EQ(Narrow(made.link), "note:4711");
  // The clipboard is closed again: another window can open it.
  test::HiddenWindow other;
  ASSERT_TRUE(::OpenClipboard(other.get())) << "clipboard left open";
  ::CloseClipboard();
}

TEST_F(ClipboardWinTest, CopyModes) {
  NOTE_PAD note;
  note.id = 12;
  note.text = u"https://text.example/ words";
  note.link = u"https://link.example/";

  ASSERT_TRUE(QuickPaste(window.get(), note));
  ClipboardContent clip;
  ASSERT_TRUE(ReadClipboardContent(window.get(), clip));
  EXPECT_EQ(Narrow(clip.text), Narrow(note.text));
  EXPECT_FALSE(clip.noteId) << "quick paste puts the text only";
  EXPECT_EQ(Narrow(NewNote().link), "https://text.example/") << "the first word is a URL";

  ASSERT_TRUE(CopyNoteToClipboard(window.get(), note, kCopyLink));
  ASSERT_TRUE(ReadClipboardContent(window.get(), clip));
  EXPECT_EQ(Narrow(clip.text), "https://link.example/");
  EXPECT_FALSE(clip.noteId);

  ASSERT_TRUE(CopyNoteToClipboard(window.get(), note, kCopyText | kCopyNoteId));
  ASSERT_TRUE(ReadClipboardContent(window.get(), clip));
  ASSERT_TRUE(clip.noteId);
  EXPECT_EQ(*clip.noteId, 12u);
}

// Fails the n-th allocation of the copy.
int g_allocations = 0;
int g_failAt = 0;
HGLOBAL WINAPI FailingAlloc(UINT flags, SIZE_T bytes) {
  return ++g_allocations == g_failAt ? nullptr : ::GlobalAlloc(flags, bytes);
}

TEST_F(ClipboardWinTest, AllocationFailureLeavesTheClipboardEmpty) {
  NOTE_PAD note;
  note.id = 5;
  note.text = u"text";
  for (int failAt : {1, 2}) {
    ClipboardWriter(window.get()).PutText(L"previous content");
    g_allocations = 0;
    g_failAt = failAt;
    EXPECT_FALSE(CopyNoteToClipboard(window.get(), note, kCopyText | kCopyNoteId, nullptr, FailingAlloc)) << failAt;
    EXPECT_EQ(FormatCount(), 0u) << "after failing allocation " << failAt;
  }
}

TEST_F(ClipboardWinTest, DroppedFileAndInternetShortcut) {
  const std::u16string report = temp.file(L"Report.docx");
  temp.Write(L"Report.docx", "not really a document");
  {
    ClipboardWriter w(window.get());
    ASSERT_TRUE(w.ok());
    w.PutFiles({report, temp.file(L"second.txt")});
  }
  NOTE_PAD made = NewNote();
  EXPECT_EQ(Narrow(made.text), "Report");
  EXPECT_EQ(Narrow(made.link), "\"" + Narrow(report) + "\"");

  const std::u16string shortcut = temp.file(L"Example Site.URL");
  temp.Write(L"Example Site.URL", "[InternetShortcut]\r\nURL=https://example.org/from-shortcut\r\n");
  {
    ClipboardWriter w(window.get());
    w.PutFiles({shortcut});
    w.PutText(L"ignored text");
  }
  made = NewNote();
  EXPECT_EQ(Narrow(made.text), "Example Site");
  EXPECT_EQ(Narrow(made.link), "https://example.org/from-shortcut");
  EXPECT_EQ(Narrow(InternetShortcutUrl(temp.file(L"missing.url"))), "");
}

TEST_F(ClipboardWinTest, HtmlFragment) {
  const std::string header = "Version:0.9\r\nStartHTML:0000000105\r\nEndHTML:0000000300\r\n"
                             "StartFragment:0000000141\r\nEndFragment:0000000280\r\n";
  {
    ClipboardWriter w(window.get());
    w.PutHtml(header + "<html><body>\r\n<!--StartFragment--><a href=\"https://example.org/a?x=1&amp;y=2\">"
                       "Caf\xC3\xA9 page</a><!--EndFragment-->\r\n</body></html>");
    w.PutText(L"Caf\u00E9 page");
  }
  NOTE_PAD made = NewNote();
  EXPECT_EQ(made.text, u"Caf\u00E9 page");
  EXPECT_EQ(Narrow(made.link), "https://example.org/a?x=1&y=2");

  {
    ClipboardWriter w(window.get());
    w.PutHtml(header + "<html><body><!--StartFragment-->Read <a href=\"https://example.org/\">this</a>"
                       "<!--EndFragment--></body></html>");
    w.PutText(L"Read this");
  }
  made = NewNote();
  EXPECT_EQ(Narrow(made.text), "Read this");
  EXPECT_EQ(Narrow(made.link), "") << "a fragment starting with text gives nothing from HTML";

  // HTML alone is not read: a new note wants text or files on the clipboard.
  {
    ClipboardWriter w(window.get());
    w.PutHtml(header + "<!--StartFragment--><a href=\"https://example.org/\">only html</a>");
  }
  made = NewNote();
  EXPECT_EQ(Narrow(made.text), "<New Note>");
  EXPECT_EQ(Narrow(made.link), "");
}

TEST_F(ClipboardWinTest, PlainTextAndGivenText) {
  {
    ClipboardWriter w(window.get());
    w.PutText(L"Plain words https://example.org/");
  }
  NOTE_PAD made = NewNote();
  EXPECT_EQ(Narrow(made.text), "Plain words https://example.org/");
  EXPECT_EQ(Narrow(made.link), "");

  const std::u16string given = u"from the command line";
  NOTE_PAD withText;
  NewNoteContent(withText, &given, window.get());
  EXPECT_EQ(Narrow(withText.text), "from the command line");
  EXPECT_EQ(Narrow(withText.link), "");

  {
    ClipboardWriter w(window.get());  // emptied, nothing put
  }
  EXPECT_EQ(Narrow(NewNote().text), "<New Note>");
}

// A text without terminator inside its block must not be read past the block.
TEST_F(ClipboardWinTest, UnterminatedText) {
  {
    ClipboardWriter w(window.get());
    const wchar_t text[4] = {L'a', L'b', L'c', L'd'};
    w.Put(CF_UNICODETEXT, text, sizeof text);
  }
  ClipboardContent clip;
  ASSERT_TRUE(ReadClipboardContent(window.get(), clip));
  // Wine terminates the block itself, Windows leaves it as put: either way a prefix, no more.
  EXPECT_LE(clip.text.size(), 4u);
  EXPECT_EQ(std::string("abcd").substr(0, clip.text.size()), Narrow(clip.text));
}

TEST_F(ClipboardWinTest, PrivateFormatOfAnotherSizeIsNoNoteId) {
  {
    ClipboardWriter w(window.get());
    w.PutText(L"text");
    const uint8_t eight[8] = {1, 0, 0, 0, 2, 0, 0, 0};
    w.Put(kNoteIdClipboardFormat, eight, sizeof eight);
  }
  ClipboardContent clip;
  ASSERT_TRUE(ReadClipboardContent(window.get(), clip));
  EXPECT_FALSE(clip.noteId);
}

}  // namespace
}  // namespace zavra
