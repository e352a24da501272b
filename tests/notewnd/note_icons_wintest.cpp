// The note's pictures and the category page's sample: icon strip cells, link icons of each kind
// of link, and the sample control's drawing.
#include "NoteWndTestSupport.h"

#include <commctrl.h>

#include "app/Associations_win.h"
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

// The note window shows the icon the quick-launch menu shows for the same link.
TEST(NoteIcons, LinkIconOfEachKindOfLink) {
  FakeHost host;
  NOTE_PAD other = PlainNote(u"Linked to");
  ASSERT_TRUE(host.store.SaveNote(other));
  const std::u16string id = ToU16(std::to_wstring(other.id));
  // "note:" links to missing notes take the scheme's icon, as /setup registers it.
  const std::wstring program = host.ProgramFolder() + L"notezavra.exe";
  RegisterShellAssociations(program);
  // A scheme whose icon lies in a program under a path with blanks, written without quotes.
  const std::wstring blankFolder = test::FreshDataFolder() + L"Program Files\\";
  ::CreateDirectoryW(blankFolder.c_str(), nullptr);
  ASSERT_TRUE(::CopyFileW(program.c_str(), (blankFolder + L"the browser.exe").c_str(), FALSE));
  RegKey key;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, L"zavrablank\\DefaultIcon", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key.put(), nullptr),
            ERROR_SUCCESS);
  const std::wstring value = blankFolder + L"the browser.exe,-160";
  ::RegSetValueExW(key.get(), nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  struct Case {
    std::u16string link;
    bool icon;
  };
  const Case cases[] = {
      {u"note:" + id, true},
      {u"note:" + id + u"abc", true},
      {u"note:99999", true},
      {u"zavrablank://somewhere/item", true},
      {u"C:\\windows\\notepad.exe", true},
      {u"\"C:\\windows\\notepad.exe\" /a readme.txt", true},
      {u"zavra-nobody-registered://x", false},
      {u"C:\\windows\\" + std::u16string(250, u'x') + u".exe", false},
  };
  CNoteWnd* w = host.Open(PlainNote(u"link"));
  ASSERT_TRUE(w);
  for (const Case& c : cases) {
    NOTE_PAD note = w->note();
    note.link = c.link;
    w->LoadRecord(note);
    EXPECT_EQ(w->linkIcon() != nullptr, c.icon) << FakeHost::Narrow(c.link);
  }
  ::RegDeleteTreeW(HKEY_CLASSES_ROOT, L"zavrablank");
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
