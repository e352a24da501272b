// Three notes on the screen with their own colours, fonts and skins, one of them a picture skin
// drawn here; the screen is saved as screenshots/notewnd_three_notes.png for a person to look at.
#include "NoteWndTestSupport.h"

#include "skin/LayersFile_win.h"

namespace zavra {
namespace {

using test::FakeHost;
using test::PlainNote;

bool SavePng(const std::wstring& path, int width, int height, COLORREF (*pixel)(int, int)) {
  test::NoteTestSkins();  // GDI+ is up
  Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const COLORREF c = pixel(x, y);
      bitmap.SetPixel(x, y, Gdiplus::Color(255, GetRValue(c), GetGValue(c), GetBValue(c)));
    }
  const CLSID png = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
  return bitmap.Save(path.c_str(), &png, nullptr) == Gdiplus::Ok;
}

zavra::LOGFONTW Font(const char16_t* face, int height, int weight, bool italic) {
  zavra::LOGFONTW f;
  f.lfHeight = -height;
  f.lfWeight = weight;
  f.lfItalic = italic ? 1 : 0;
  for (int i = 0; face[i] && i < 31; ++i) f.lfFaceName[i] = face[i];
  return f;
}

TEST(NoteScreenshot, ThreeNotesWithTheirOwnLook) {
  FakeHost host;
  // A "Ribbon" skin: a tiled two-colour band across the top of the paper, then the text.
  const std::wstring folder = test::NoteTestSkins() + L"Ribbon\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  ASSERT_TRUE(SavePng(folder + L"ribbon.png", 12, 14, [](int x, int y) -> COLORREF {
    return ((x + y) / 3) % 2 ? RGB(200, 60, 60) : RGB(250, 240, 230);
  }));
  SLAYER ribbon = MakeLayer(kLayerImage);
  ribbon.u.image.flags = kImageTile | kImageAdjustWidth;
  ribbon.u.image.anchor = kAnchorTop;
  SetLayerText(ribbon.u.image.picture, u"ribbon.png");
  SLAYER text = MakeLayer(kLayerText);
  text.u.text = {4, 16, 4, 4};
  SLAYER noteIcon = MakeLayer(kLayerNoteIcon);
  noteIcon.u.icon = {kAnchorBottomLeft, 3, -3};
  const SLAYER layers[] = {MakeLayer(kLayerPaper), ribbon, MakeLayer(kLayerBorder), text, noteIcon};
  ASSERT_EQ(SaveLayersFile(folder, layers), kLayersOk);

  // A backdrop, so the notes' edges show.
  BrushHandle brush(::CreateSolidBrush(RGB(70, 110, 150)));
  WNDCLASSW wc{};
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hbrBackground = brush.get();
  wc.lpszClassName = L"ZavraNoteBackdrop";
  ::RegisterClassW(&wc);
  HWND backdrop = ::CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 720, 400, nullptr,
                                    nullptr, wc.hInstance, nullptr);
  ::ShowWindow(backdrop, SW_SHOWNOACTIVATE);

  const int64_t now = SystemClockSeconds();
  NOTE_PAD a = PlainNote(u"Dentist\r\nBring the insurance card.", {40, 40, 240, 170});
  a.flags |= kNoteOwnPaperColor | kNoteOwnTextColor | kNoteOwnFont | kNoteOwnIcon | kNoteScheduled;
  a.paperColor = RGB(255, 236, 130);
  a.textColor = RGB(40, 30, 0);
  a.font = Font(u"Tahoma", 16, 700, false);
  a.icon = 3;
  {
    const LocalFields f = MachineLocalTime().FieldsOf(now + 90);
    a.start = MachineLocalTime().DayStart(f.dayNumber);
    a.end = a.start;
    a.timeFrom = f.secondOfDay;
  }
  NOTE_PAD b = PlainNote(u"Ribbon skin with a picture drawn by the test. Italic text wraps at words and "
                         u"scrolls line by line when it is longer than the paper.",
                         {290, 50, 500, 210});
  b.flags |= kNoteOwnPaperColor | kNoteOwnTextColor | kNoteOwnFont | kNoteOwnSkin;
  b.paperColor = RGB(200, 230, 255);
  b.textColor = RGB(0, 40, 110);
  b.font = Font(u"Courier New", 14, 400, true);
  b.skin = u"Ribbon";
  NOTE_PAD c = PlainNote(u"Pink paper, dark red text, the category's font.", {540, 70, 690, 180});
  c.flags |= kNoteOwnPaperColor | kNoteOwnTextColor;
  c.paperColor = RGB(255, 200, 220);
  c.textColor = RGB(140, 0, 30);

  CNoteWnd* wa = host.Open(a);
  CNoteWnd* wb = host.Open(b);
  CNoteWnd* wc2 = host.Open(c);
  ASSERT_TRUE(wa && wb && wc2);
  EXPECT_TRUE(wa->header().visible()) << "the scheduled note shows its header";
  EXPECT_EQ(test::FakeHost::Narrow(wb->skin()->title()), "Ribbon");
  EXPECT_EQ(wb->skin()->size(), 5u) << "the picture layer loaded";
  test::Pump(1200);
  const std::wstring path = test::ScreenshotPath(L"notewnd_three_notes.png");
  EXPECT_TRUE(test::SaveScreenshot(path)) << "screenshot not written";

  // The picture skin really drew its ribbon: both of its colours in the band above the text.
  const CBkgWnd::Image image = wb->RenderToImage();
  bool red = false, light = false;
  for (int x = 0; x < image.width; ++x)
    for (int y = 0; y < 12 && y < image.height; ++y) {
      const uint32_t p = image.at(x, y);
      red |= p == 0xFFC83C3Cu;
      light |= p == 0xFFFAF0E6u;
    }
  EXPECT_TRUE(red && light) << "ribbon colours in the top band";
  ::DestroyWindow(backdrop);
  ::UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

}  // namespace
}  // namespace zavra
