#pragma once
// Helpers of the Windows skin tests: GDI+ for the process, a scratch skins folder, pictures
// made here (GDI+ encoders, or a hand-written animated GIF), and a note-like skinned window.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/GdiPlus.h"
#include "framework/Handles.h"
#include "framework/Text.h"
#include "skin/BkgWnd_win.h"
#include "skin/SkinLayer.h"

namespace zavra::test {

// Starts GDI+ once for the whole test process.
void EnsureGdiplus();

// A fresh folder under the temporary folder, ending with a backslash.
std::wstring ScratchFolder(const wchar_t* name);
void WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes);

// COLORREF-style colour of picture pixel (x, y), alpha in the top byte (255 = opaque).
using PixelFn = std::function<uint32_t(int x, int y)>;
inline constexpr uint32_t Opaque(COLORREF c) { return 0xFF000000u | c; }

// Writes a picture through GDI+'s encoder for the MIME type ("image/png", "image/bmp", ...).
bool SavePicture(const std::wstring& path, const wchar_t* mime, int width, int height, const PixelFn& pixel);
// An animated GIF, one solid colour per frame, delays in hundredths of a second.
std::vector<uint8_t> AnimatedGif(int width, int height, const std::vector<COLORREF>& frames,
                                 const std::vector<uint16_t>& delays);

// A premultiplied BGRA pixel of a rendered image for an opaque COLORREF.
inline constexpr uint32_t Pixel(COLORREF c) {
  return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

SLAYER Picture(const std::wstring& name, int32_t flags, int32_t anchor, int32_t dx = 0, int32_t dy = 0);

// A note-like window for the tests: draws its text with DrawTextW, hands out a solid icon,
// records the adjust and size hooks, and is not dragged (the move loop would block a test).
class TestNoteWnd : public CBkgWnd {
 public:
  std::wstring text = L"Skinned note";
  COLORREF textColor = 0x00000000;
  HICON icon = nullptr;
  BYTE opacity = 255;
  int adjustCalls = 0;
  int lastZone = -1;
  int sizeChanges = 0;
  std::function<void(int, RECT&)> adjust;

  // Creates the window (hidden) on the skin with the given paper rectangle and colours.
  bool Open(SkinPtr skin, const RECT& paper, COLORREF paperColor = 0x0080E0FF, COLORREF borderActive = 0x00202020,
            COLORREF borderInactive = 0x00909090);

 protected:
  bool CanDrag() override { return false; }
  BYTE GetOpacity() override { return opacity; }
  HICON GetLayerIcon(int32_t kind) override { return kind == kLayerNoteIcon ? icon : nullptr; }
  void DrawTextArea(HDC dc, const RECT& rect) override;
  void AdjustRect(int zone, RECT& paper) override;
  void OnSizeChanged() override { ++sizeChanges; }
};

// Pumps this thread's messages for the given time.
void PumpFor(DWORD milliseconds);

// A solid 16 x 16 icon.
IconHandle SolidIcon(COLORREF color);

}  // namespace zavra::test

namespace zavra::test {

// The scratch skins folder the process-wide lists look in, set up once.
const std::wstring& SkinsFolder();
// Writes skin `title` (its "layers" file) into the scratch skins folder and loads it.
SkinPtr WriteSkin(const std::wstring& title, const std::vector<SLAYER>& layers);
// The folder of skin `title` (created).
std::wstring SkinFolder(const std::wstring& title);

}  // namespace zavra::test
