// Full render of a 300 x 200 note (draw and hand over with UpdateLayeredWindow) with the default
// skin and with a five-picture skin, against the floor measured in the same run: filling a plain
// bitmap of the same size and handing it over the same way.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/GdiPlus.h"
#include "framework/Handles.h"
#include "skin/BkgWnd_win.h"
#include "skin/SkinLists_win.h"

using namespace zavra;

namespace {

constexpr int kWidth = 300, kHeight = 200, kRounds = 400;

class BenchNote : public CBkgWnd {
 protected:
  void DrawTextArea(HDC dc, const RECT& rect) override {
    RECT r = rect;
    ::SetBkMode(dc, TRANSPARENT);
    SelectObjectScope font(dc, ::GetStockObject(DEFAULT_GUI_FONT));
    static const wchar_t text[] = L"Call the dentist on Monday.\nBring the blue folder and the forms.";
    ::DrawTextW(dc, text, -1, &r, DT_WORDBREAK | DT_NOPREFIX);
  }
  bool CanDrag() override { return false; }
};

template <class F>
double MicrosPerRound(F&& f) {
  for (int i = 0; i < 20; ++i) f();  // warm up
  std::vector<double> times;
  for (int i = 0; i < kRounds; ++i) {
    const auto t0 = std::chrono::steady_clock::now();
    f();
    times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];  // the median, steadier than the mean under Wine
}

bool SavePng(const std::wstring& path, int w, int h, Gdiplus::ARGB (*pixel)(int, int)) {
  UINT count = 0, size = 0;
  Gdiplus::GetImageEncodersSize(&count, &size);
  std::vector<uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  Gdiplus::GetImageEncoders(count, size, codecs);
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) != L"image/png") continue;
    Gdiplus::Bitmap bitmap(w, h, PixelFormat32bppARGB);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) bitmap.SetPixel(x, y, Gdiplus::Color(pixel(x, y)));
    return bitmap.Save(path.c_str(), &codecs[i].Clsid, nullptr) == Gdiplus::Ok;
  }
  return false;
}

SLAYER Image(const wchar_t* name, int32_t flags, int32_t anchor, int32_t dx, int32_t dy) {
  SLAYER l = MakeLayer(kLayerImage);
  l.u.image.flags = flags;
  l.u.image.anchor = anchor;
  l.u.image.offsetX = dx;
  l.u.image.offsetY = dy;
  SetLayerText(l.u.image.picture, std::u16string(name, name + wcslen(name)));
  return l;
}

std::wstring MakePictureSkin() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  const std::wstring skins = std::wstring(temp) + L"zavra-skin-bench\\";
  const std::wstring folder = skins + L"Five\\";
  ::CreateDirectoryW(skins.c_str(), nullptr);
  ::CreateDirectoryW(folder.c_str(), nullptr);
  SavePng(folder + L"band.png", 16, 12, [](int x, int y) -> Gdiplus::ARGB { return ((x + y) / 4) % 2 ? 0xFF3C78C8 : 0xFFF0C850; });
  SavePng(folder + L"pin.png", 32, 32, [](int x, int y) -> Gdiplus::ARGB {
    const int d = (x - 16) * (x - 16) + (y - 16) * (y - 16);
    return d < 225 ? 0xE0DC1E28 : 0;
  });
  SavePng(folder + L"corner.png", 40, 20, [](int x, int y) -> Gdiplus::ARGB { return (x / 5 + y / 5) % 2 ? 0xFF1E1E1E : 0xFFFAFAFA; });
  SavePng(folder + L"shade.png", 64, 64, [](int x, int y) -> Gdiplus::ARGB { return static_cast<Gdiplus::ARGB>(x * 2) << 24; });
  SavePng(folder + L"logo.png", 24, 24, [](int x, int y) -> Gdiplus::ARGB { return 0xFF000000 | (x * 10) << 16 | (y * 10) << 8; });
  SLAYER corner = Image(L"corner.png", kImageCanvasMar | kImageAdjustWidth | kImageAdjustHeight | kImageAdjustPercent,
                        kAnchorBottomRight, 8, 8);
  corner.u.image.adjustWidth = corner.u.image.adjustHeight = -70;
  SLAYER shade = Image(L"shade.png", kImageCanvasSize | kImageAdjustWidth | kImageAdjustHeight, kAnchorCenter, 0, 0);
  SLAYER text = MakeLayer(kLayerText);
  text.u.text = {8, 18, 8, 8};
  const std::vector<SLAYER> layers = {MakeLayer(kLayerPaper),
                                      Image(L"band.png", kImageTile | kImageAdjustWidth, kAnchorTop, 0, 0),
                                      shade,
                                      MakeLayer(kLayerBorder),
                                      text,
                                      Image(L"pin.png", kImageOriginalSize, kAnchorTop, 0, -16),
                                      corner,
                                      Image(L"logo.png", kImageOriginalSize, kAnchorBottomLeft, 4, -4)};
  const std::vector<uint8_t> bytes = WriteLayers(layers);
  FileHandle file(::CreateFileW((folder + L"layers").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  return skins;
}

}  // namespace

int wmain() {
  Gdiplus::GdiplusStartupInput input;
  ULONG_PTR token = 0;
  Gdiplus::GdiplusStartup(&token, &input, nullptr);
  InitSkinLists(MakePictureSkin());
  double floor = 0, plain = 0, pictures = 0;
  size_t pictureLayers = 0;
  {
    // The floor: a plain layered window of the same size, filled and handed over.
    BenchNote host;
    if (!host.Create(RECT{100, 100, 100 + kWidth, 100 + kHeight})) {
      std::printf("cannot create a window (is DISPLAY set?)\n");
      return 1;
    }
    SkinCanvas canvas;
    canvas.Resize(kWidth, kHeight);
    WindowDC screen(nullptr);
    floor = MicrosPerRound([&] {
      std::fill_n(canvas.pixels(), kWidth * kHeight, 0xFFFFF0A0u);
      POINT origin{100, 100}, source{0, 0};
      SIZE size{kWidth, kHeight};
      BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
      ::UpdateLayeredWindow(host, screen.get(), &origin, &size, canvas.dc(), &source, 0, &blend, ULW_ALPHA);
    });

    BenchNote note;
    note.Create(RECT{100, 100, 100 + kWidth, 100 + kHeight});
    note.SetColors(0x00A0F0FF, 0, 0x00808080);
    note.SetSkin(GetSkinByTitle(L""));
    plain = MicrosPerRound([&] { note.Render(); });

    BenchNote fancy;
    fancy.Create(RECT{100, 100, 100 + kWidth, 100 + kHeight});
    fancy.SetColors(0x00E1FAFF, 0, 0x00808080);
    fancy.SetSkin(GetSkinByTitle(L"Five"));
    for (size_t i = 0; i < fancy.skin()->size(); ++i) pictureLayers += fancy.skin()->image(i) != nullptr;
    pictures = MicrosPerRound([&] { fancy.Render(); });
  }
  std::printf("skin render, %d x %d note, median of %d rounds\n", kWidth, kHeight, kRounds);
  std::printf("  floor (fill + UpdateLayeredWindow)  %8.1f us\n", floor);
  std::printf("  default skin                        %8.1f us  %.2f x floor (target <= 2)\n", plain, plain / floor);
  std::printf("  %zu-picture skin                      %8.1f us  %.2f x floor\n", pictureLayers, pictures,
              pictures / floor);
  FreeSkinLists();
  Gdiplus::GdiplusShutdown(token);
  return plain / floor <= 2.0 ? 0 : 2;
}
