// The note body: line starts found while drawing, scrolling by wheel and keys, and its end.
#include "NoteWndTestSupport.h"

namespace zavra {
namespace {

using test::FakeHost;
using test::PlainNote;

std::u16string Lines(int n, std::vector<size_t>& starts) {
  std::u16string text;
  for (int i = 1; i <= n; ++i) {
    starts.push_back(text.size());
    const std::string line = "Line " + std::to_string(i);
    text.append(line.begin(), line.end());
    if (i < n) text += u"\r\n";
  }
  return text;
}

TEST(NoteText, LongTextScrollsLineByLineAndStopsAtTheEnd) {
  FakeHost host;
  std::vector<size_t> expected;
  const std::u16string text = Lines(30, expected);
  CNoteWnd* w = host.Open(PlainNote(text, {100, 100, 260, 200}));
  ASSERT_TRUE(w);
  ASSERT_GE(w->lineStarts().size(), 2u) << "drawing finds the second line's start";
  EXPECT_EQ(w->lineStarts()[1], expected[1]) << "line breaks belong to the line they end";

  // Wheel: a notch down scrolls one line; half notches wait for each other.
  ::SendMessageW(*w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(w->firstLine(), 1u);
  ::SendMessageW(*w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), 0);
  EXPECT_EQ(w->firstLine(), 1u) << "half a notch does not scroll";
  ::SendMessageW(*w, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-60)), 0);
  EXPECT_EQ(w->firstLine(), 2u);
  ::SendMessageW(*w, WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
  EXPECT_EQ(w->firstLine(), 1u) << "a notch up";

  // Keys: down to the end, which is the last line.
  for (int i = 0; i < 60; ++i) ::SendMessageW(*w, WM_KEYDOWN, i % 2 ? VK_DOWN : VK_NEXT, 0);
  ASSERT_EQ(w->firstLine(), expected.size() - 1) << "stops at the last line";
  ASSERT_EQ(w->lineStarts().size(), expected.size() + 1) << "every line, and the end after the last";
  for (size_t i = 0; i < expected.size(); ++i)
    EXPECT_EQ(w->lineStarts()[i], expected[i]) << "start of line " << i + 1;
  EXPECT_EQ(w->lineStarts().back(), text.size());
  EXPECT_FALSE(w->ScrollDown()) << "nothing past the end";
  ::SendMessageW(*w, WM_KEYDOWN, VK_UP, 0);
  ::SendMessageW(*w, WM_KEYDOWN, VK_PRIOR, 0);
  EXPECT_EQ(w->firstLine(), expected.size() - 3);
  for (int i = 0; i < 40; ++i) w->ScrollUp();
  EXPECT_EQ(w->firstLine(), 0u);
  EXPECT_FALSE(w->ScrollUp());
}

TEST(NoteText, WrappedTextFindsItsLineStartsAtWords) {
  FakeHost host;
  host.settings.noteAlign = 0;
  const std::u16string word = u"abcdefgh ";
  std::u16string text;
  for (int i = 0; i < 40; ++i) text += word;
  CNoteWnd* w = host.Open(PlainNote(text, {100, 100, 200, 180}));
  ASSERT_TRUE(w);
  while (w->ScrollDown()) {
  }
  const std::vector<size_t> starts = w->lineStarts();
  ASSERT_GT(starts.size(), 3u);
  for (size_t i = 1; i < starts.size(); ++i) {
    EXPECT_GT(starts[i], starts[i - 1]) << "line " << i;
    EXPECT_EQ(starts[i] % word.size(), 0u) << "a wrapped line starts at a word, line " << i;
  }
  EXPECT_LT(starts[w->firstLine()], text.size());
}

TEST(NoteText, EveryKindOfLineBreakAndAWordLongerThanTheLine) {
  FakeHost host;
  host.settings.noteAlign = 0;
  const std::u16string text = u"a\rb\nc\r\nd\r\n\r\n" + std::u16string(200, u'w');
  CNoteWnd* w = host.Open(PlainNote(text, {100, 100, 200, 180}));
  ASSERT_TRUE(w);
  while (w->ScrollDown()) {
  }
  const std::vector<size_t> starts = w->lineStarts();
  ASSERT_GE(starts.size(), 7u);
  const size_t want[] = {0, 2, 4, 7, 10, 12};
  for (size_t i = 0; i < 6; ++i) EXPECT_EQ(starts[i], want[i]) << "line " << i + 1;
  for (size_t i = 6; i < starts.size(); ++i) EXPECT_GT(starts[i], starts[i - 1]) << "the long word is broken inside";
  EXPECT_GT(starts.size(), 8u) << "200 letters take several lines";
}

TEST(NoteText, OneParagraphOfAMillionCharactersScrollsToItsEnd) {
  FakeHost host;
  std::u16string text;
  while (text.size() < 1000000) text += u"lorem ipsum dolor sit amet consectetur adipiscing elit ";
  CNoteWnd* w = host.Open(PlainNote(text, {100, 100, 400, 300}));
  ASSERT_TRUE(w);
  const size_t lines = w->lineStarts().size() - 1;
  ASSERT_GT(lines, 10000u) << "laid out whole when it opened";
  // Page Down held: the queued keys go through every line, drawn when none waits any more.
  for (size_t posted = 0; posted <= lines; posted += 2000) {
    for (int i = 0; i < 2000; ++i) ::PostMessageW(*w, WM_KEYDOWN, VK_NEXT, 0);
    MSG m;
    ASSERT_TRUE(test::PumpUntil([&] { return !::PeekMessageW(&m, *w, WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE); }, 60000));
  }
  EXPECT_EQ(w->firstLine(), lines - 1) << "the last line";
  EXPECT_FALSE(w->ScrollDown());
}

TEST(NoteText, KeysReachTheWindowBeforeTranslation) {
  FakeHost host;
  std::u16string text;
  for (int i = 0; i < 20; ++i) text += u"Line\r\n";
  CNoteWnd* w = host.Open(PlainNote(text));
  ASSERT_TRUE(w);
  MSG down{*w, WM_KEYDOWN, VK_DOWN, 0};
  EXPECT_TRUE(CNoteWnd::PreTranslateKey(down));
  EXPECT_EQ(w->firstLine(), 1u);
  MSG space{*w, WM_KEYDOWN, VK_SPACE, 0};
  EXPECT_TRUE(CNoteWnd::PreTranslateKey(space));
  EXPECT_TRUE(host.Called("edit"));
  MSG letter{*w, WM_KEYDOWN, 'Q', 0};
  EXPECT_FALSE(CNoteWnd::PreTranslateKey(letter)) << "other keys pass on";
  MSG elsewhere{::GetDesktopWindow(), WM_KEYDOWN, VK_DOWN, 0};
  EXPECT_FALSE(CNoteWnd::PreTranslateKey(elsewhere)) << "not a note window";
}

}  // namespace
}  // namespace zavra
