// The note's pictures and the category page's sample: icon strip cells, link icons of each kind
// of link, and the sample control's drawing.
#include "NoteWndTestSupport.h"

#include <commctrl.h>

#include "notewnd/NoteIcons_win.h"
#include "notewnd/NoteSampleWnd_win.h"

namespace zavra {
namespace {

using test::FakeHost;
using test::PlainNote;

int StripCount(const std::wstring& folder) {
  ImageListHandle strip(::ImageList_LoadImageW(nullptr, (folder + L"icons.bmp").c_str(), 16, 0, CLR_DEFAULT,
                                               IMAGE_BITMAP, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
  return strip ? ::ImageList_GetImageCount(strip.get()) : 0;
}

TEST(NoteIcons, StripCellsNoneForZeroPastTheEndOrNoStrip) {
  FakeHost host;
  const std::wstring folder = host.ProgramFolder();
  const int count = StripCount(folder);
  ASSERT_GT(count, 2) << "icons.bmp next to the test";
  EXPECT_FALSE(StripIcon(folder, 0)) << "0 is no icon";
  EXPECT_TRUE(StripIcon(folder, 1));
  EXPECT_TRUE(StripIcon(folder, static_cast<uint32_t>(count - 1)));
  EXPECT_FALSE(StripIcon(folder, static_cast<uint32_t>(count))) << "past the end";
  EXPECT_FALSE(StripIcon(folder, 0xFFFF));
  EXPECT_FALSE(StripIcon(L"C:\\no such folder\\", 1));
}

TEST(NoteIcons, NoteLinkIds) {
  struct Case {
    const char16_t* link;
    uint32_t id;
  };
  const Case cases[] = {
      {u"note:123", 123},  {u"NOTE:5", 5},           {u"Note:4294967295", 4294967295u},
      {u"note:", 0},       {u"note:12a", 0},         {u"note:4294967296", 0},
      {u"notes:1", 0},     {u"note:99999999999", 0}, {u"http://x/note:1", 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(NoteLinkId(c.link), c.id) << test::FakeHost::Narrow(c.link);
}

TEST(NoteIcons, UrlSchemesAndPaths) {
  struct Case {
    const char16_t* link;
    bool url;
  };
  const Case cases[] = {
      {u"http://example.com/", true}, {u"mailto:a@b.c", true},        {u"note:12", true},
      {u"svn+ssh://host/x", true},    {u"C:\\windows\\x.exe", false}, {u"x:", false},
      {u"\"C:\\a b\\c.exe\" /x", false}, {u"1http://x", false},       {u"ht tp://x", false},
      {u"plain text", false},
  };
  for (const Case& c : cases) EXPECT_EQ(HasUrlScheme(c.link), c.url) << test::FakeHost::Narrow(c.link);
}

TEST(NoteIcons, LinkIconForEachKindOfLink) {
  FakeHost host;
  NOTE_PAD other = PlainNote(u"Linked to");
  ASSERT_TRUE(host.store.SaveNote(other));
  const std::u16string noteLink = u"note:" + ToU16(std::to_wstring(other.id));
  EXPECT_TRUE(LinkIcon(noteLink, host.store)) << "an existing note";
  EXPECT_FALSE(LinkIcon(u"note:" + ToU16(std::to_wstring(other.id + 1000)), host.store)) << "a missing note";
  EXPECT_FALSE(LinkIcon(u"", host.store));
  EXPECT_TRUE(LinkIcon(u"C:\\windows\\notepad.exe", host.store)) << "a program";
  EXPECT_TRUE(LinkIcon(u"\"C:\\windows\\notepad.exe\" /a readme.txt", host.store)) << "quotes and arguments";
  EXPECT_FALSE(LinkIcon(u"C:\\windows\\" + std::u16string(250, u'x') + u".exe", host.store)) << "260 or longer";

  // A scheme of our own with a quoted, blank-padded icon path.
  RegKey key;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"zavratest\\DefaultIcon", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.put(), nullptr),
            ERROR_SUCCESS);
  const wchar_t value[] = L"\"C:\\windows\\system32\\shell32.dll\", 3";
  ::RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), sizeof value);
  EXPECT_TRUE(LinkIcon(u"zavratest://somewhere/item", host.store)) << "the scheme's DefaultIcon";
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"zavratest");
  EXPECT_FALSE(LinkIcon(u"zavranone://somewhere/item", host.store)) << "a scheme nobody registered";
}

TEST(NoteColours, InactiveBorderKeepsTheHueAtLowerLuminanceAndSaturation) {
  struct Case {
    ::COLORREF paper;
    ::COLORREF want;
  };
  // Worked by hand on the 0-240 scale: white L 240 -> 201; red L 120 S 240 -> L 100 S 201.
  const Case cases[] = {{RGB(255, 255, 255), RGB(214, 214, 214)}, {RGB(255, 0, 0), RGB(195, 17, 17)},
                        {RGB(0, 0, 0), RGB(0, 0, 0)}};
  for (const Case& c : cases) {
    const ::COLORREF got = InactiveBorderColor(c.paper);
    EXPECT_NEAR(GetRValue(got), GetRValue(c.want), 1) << std::hex << c.paper;
    EXPECT_NEAR(GetGValue(got), GetGValue(c.want), 1) << std::hex << c.paper;
    EXPECT_NEAR(GetBValue(got), GetBValue(c.want), 1) << std::hex << c.paper;
  }
}

TEST(NoteSample, PaintsPaperAndCentredSampleText) {
  EXPECT_EQ(CNoteSampleWnd::SampleText(L"Monday"), L"Sample Text\r\nMonday");
  CNoteSampleWnd sample;
  zavra::LOGFONTW font;
  font.lfHeight = -14;
  sample.SetLook(RGB(250, 220, 120), RGB(0, 0, 160), font, 6, 1, L"Monday");
  const int w = 160, h = 90;
  HDC screen = ::GetDC(nullptr);
  MemoryDC dc(::CreateCompatibleDC(screen));
  BitmapHandle bitmap(::CreateCompatibleBitmap(screen, w, h));
  ::ReleaseDC(nullptr, screen);
  SelectObjectScope select(dc.get(), bitmap.get());
  const RECT client{0, 0, w, h};
  sample.Paint(dc.get(), client);
  EXPECT_EQ(::GetPixel(dc.get(), 1, 1), RGB(250, 220, 120)) << "paper colour";
  // Text pixels: within the margin-shrunk area, in the middle rows, and not in the top rows.
  int textTop = h, textBottom = -1, textLeft = w, textRight = -1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (::GetPixel(dc.get(), x, y) != RGB(250, 220, 120)) {
        textTop = std::min(textTop, y);
        textBottom = std::max(textBottom, y);
        textLeft = std::min(textLeft, x);
        textRight = std::max(textRight, x);
      }
  ASSERT_GE(textBottom, 0) << "sample text drawn";
  EXPECT_GE(textLeft, 6);
  EXPECT_LT(textRight, w - 6);
  EXPECT_NEAR(textTop, h - 1 - textBottom, 6) << "centred vertically";
  EXPECT_NEAR(textLeft, w - 1 - textRight, 12) << "centred horizontally";
}

}  // namespace
}  // namespace zavra
