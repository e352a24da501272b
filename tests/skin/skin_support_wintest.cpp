// Helpers shared by the Windows skin tests (no tests here).
#include "tests/skin/SkinWinSupport.h"


namespace zavra::test {

void EnsureGdiplus() {
  static ULONG_PTR token = [] {
    ULONG_PTR t = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&t, &input, nullptr);
    return t;
  }();
  (void)token;
}

std::wstring ScratchFolder(const wchar_t* name) {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"zavra-skin-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  folder += name;
  folder += L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
  FileHandle file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  ASSERT_TRUE(file) << "cannot create the test file";
  DWORD written = 0;
  ASSERT_TRUE(::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
}

namespace {

bool EncoderFor(const wchar_t* mime, CLSID& clsid) {
  UINT count = 0, size = 0;
  if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) return false;
  std::vector<uint8_t> buffer(size);
  auto* codecs = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
  if (Gdiplus::GetImageEncoders(count, size, codecs) != Gdiplus::Ok) return false;
  for (UINT i = 0; i < count; ++i) {
    if (std::wstring(codecs[i].MimeType) == mime) {
      clsid = codecs[i].Clsid;
      return true;
    }
  }
  return false;
}

class BitWriter {
 public:
  void Put(uint32_t code, int bits) {
    acc_ |= code << used_;
    used_ += bits;
    while (used_ >= 8) {
      bytes.push_back(static_cast<uint8_t>(acc_));
      acc_ >>= 8;
      used_ -= 8;
    }
  }
  void Finish() {
    if (used_) bytes.push_back(static_cast<uint8_t>(acc_));
  }
  std::vector<uint8_t> bytes;

 private:
  uint32_t acc_ = 0;
  int used_ = 0;
};

void Put16(std::vector<uint8_t>& out, int v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}

}  // namespace

bool SavePicture(const std::wstring& path, const wchar_t* mime, int width, int height, const PixelFn& pixel) {
  EnsureGdiplus();
  CLSID clsid;
  if (!EncoderFor(mime, clsid)) return false;
  Gdiplus::Bitmap bitmap(width, height, PixelFormat32bppARGB);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const uint32_t p = pixel(x, y);
      bitmap.SetPixel(x, y, Gdiplus::Color(static_cast<BYTE>(p >> 24), GetRValue(p), GetGValue(p), GetBValue(p)));
    }
  return bitmap.Save(path.c_str(), &clsid, nullptr) == Gdiplus::Ok;
}

std::vector<uint8_t> AnimatedGif(int width, int height, const std::vector<COLORREF>& frames,
                                 const std::vector<uint16_t>& delays) {
  std::vector<uint8_t> out = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(out, width);
  Put16(out, height);
  out.insert(out.end(), {0xF7, 0, 0});  // 256-colour global table
  for (int i = 0; i < 256; ++i) {
    const COLORREF c = i < static_cast<int>(frames.size()) ? frames[i] : 0;
    out.insert(out.end(), {GetRValue(c), GetGValue(c), GetBValue(c)});
  }
  const uint8_t loop[] = {0x21, 0xFF, 0x0B, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
  out.insert(out.end(), std::begin(loop), std::end(loop));
  for (size_t f = 0; f < frames.size(); ++f) {
    out.insert(out.end(), {0x21, 0xF9, 0x04, 0x04});
    Put16(out, f < delays.size() ? delays[f] : 0);
    out.insert(out.end(), {0, 0, 0x2C, 0, 0, 0, 0});
    Put16(out, width);
    Put16(out, height);
    out.push_back(0);
    out.push_back(8);  // LZW minimum code size
    // Literal codes only, with a clear code often enough that the code width stays 9 bits.
    BitWriter bits;
    const int pixels = width * height;
    for (int i = 0; i < pixels; ++i) {
      if (i % 200 == 0) bits.Put(256, 9);
      bits.Put(static_cast<uint32_t>(f), 9);
    }
    bits.Put(257, 9);
    bits.Finish();
    for (size_t at = 0; at < bits.bytes.size(); at += 255) {
      const size_t n = std::min<size_t>(255, bits.bytes.size() - at);
      out.push_back(static_cast<uint8_t>(n));
      out.insert(out.end(), bits.bytes.begin() + at, bits.bytes.begin() + at + n);
    }
    out.push_back(0);
  }
  out.push_back(0x3B);
  return out;
}

SLAYER Picture(const std::wstring& name, int32_t flags, int32_t anchor, int32_t dx, int32_t dy) {
  SLAYER l = MakeLayer(kLayerImage);
  l.u.image.flags = flags;
  l.u.image.anchor = anchor;
  l.u.image.offsetX = dx;
  l.u.image.offsetY = dy;
  SetLayerText(l.u.image.picture, ToU16(name));
  return l;
}

bool TestNoteWnd::Open(SkinPtr skin, const RECT& paper, COLORREF paperColor, COLORREF borderActive,
                       COLORREF borderInactive) {
  if (!Create(paper)) return false;
  SetColors(paperColor, borderActive, borderInactive);
  SetSkin(std::move(skin));
  return true;
}

void TestNoteWnd::DrawTextArea(HDC dc, const RECT& rect) {
  RECT r = rect;
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, textColor);
  HFONT font = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  SelectObjectScope select(dc, font);
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_WORDBREAK | DT_NOPREFIX);
}

void TestNoteWnd::AdjustRect(int zone, RECT& paper) {
  ++adjustCalls;
  lastZone = zone;
  if (adjust) adjust(zone, paper);
}

void PumpFor(DWORD milliseconds) {
  const DWORD start = ::GetTickCount();
  MSG msg;
  while (::GetTickCount() - start < milliseconds) {
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

IconHandle SolidIcon(COLORREF color) {
  std::vector<uint32_t> bits(16 * 16, 0xFF000000u | (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF));
  BitmapHandle colorBitmap(::CreateBitmap(16, 16, 1, 32, bits.data()));
  std::vector<uint8_t> maskBits(16 * 2, 0);  // all opaque
  BitmapHandle mask(::CreateBitmap(16, 16, 1, 1, maskBits.data()));
  ICONINFO info{TRUE, 0, 0, mask.get(), colorBitmap.get()};
  return IconHandle(::CreateIconIndirect(&info));
}

}  // namespace zavra::test

#include "skin/SkinLists_win.h"

namespace zavra::test {

const std::wstring& SkinsFolder() {
  static const std::wstring folder = [] {
    EnsureGdiplus();
    std::wstring f = ScratchFolder(L"ZaVRA Skins");
    InitSkinLists(f);
    return f;
  }();
  return folder;
}

std::wstring SkinFolder(const std::wstring& title) {
  std::wstring folder = SkinsFolder() + title + L"\\";
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

SkinPtr WriteSkin(const std::wstring& title, const std::vector<SLAYER>& layers) {
  WriteBytes(SkinFolder(title) + L"layers", WriteLayers(layers));
  return GetSkinByTitle(title);
}

}  // namespace zavra::test
