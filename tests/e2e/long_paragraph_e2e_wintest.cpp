// A note of one paragraph of a million characters in the real program: it opens through a
// "note:" link while the program goes on answering, scrolls to its end, and Exit still ends.
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "store/StoreWin.h"
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace zavra::test {
namespace {

HWND VisibleNoteWindow() {
  HWND w = nullptr;
  while ((w = ::FindWindowExW(nullptr, w, nullptr, L"QZ[Note]")))
    if (::IsWindowVisible(w)) return w;
  return nullptr;
}

// What the window shows on the screen.
std::vector<uint32_t> Pixels(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
  HDC screen = ::GetDC(nullptr);
  MemoryDC dc(::CreateCompatibleDC(screen));
  BitmapHandle bitmap(::CreateCompatibleBitmap(screen, w, h));
  {
    SelectObjectScope select(dc.get(), bitmap.get());
    ::BitBlt(dc.get(), 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  }
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB};
  ::GetDIBits(dc.get(), bitmap.get(), 0, static_cast<UINT>(h), pixels.data(), &info, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

// Posts `count` presses of `key` and waits until the window shows something else; false when
// it still shows `before` after the wait.
bool PressAndSeeAChange(HWND note, UINT key, int count, const std::vector<uint32_t>& before, int waitMs) {
  for (int i = 0; i < count; ++i) ::PostMessageW(note, WM_KEYDOWN, key, 0);
  return PumpUntil([&] { return Pixels(note) != before; }, waitMs);
}

class LongParagraphEndToEnd : public testing::Test {
 protected:
  void SetUp() override { StartFromUnsortedOnly(); }
  void TearDown() override { StopResidentCopy(); }
};

TEST_F(LongParagraphEndToEnd, AMillionCharactersOpenThroughANoteLinkScrollToTheEndAndExitEnds) {
  Win32FileSystem files;
  Win32Registry registry;
  NoteStore store(files, registry, ToU16(DataDir()));
  NOTE_PAD note;
  for (uint32_t seed = 7; note.text.size() < 1000000;) {
    seed = seed * 1103515245u + 12345u;
    note.text.append(1 + (seed >> 16) % 10, static_cast<char16_t>(u'a' + (seed >> 8) % 26));
    note.text += u' ';
  }
  note.rect = {200, 200, 500, 420};
  ASSERT_TRUE(store.SaveNote(note));

  Process main = Process::Start(BinDir() + L"notezavra.exe", L"");
  const HWND mainWindow = WaitForMainWindow();
  ASSERT_TRUE(mainWindow);
  const auto asked = std::chrono::steady_clock::now();
  Process launcher = Process::Start(BinDir() + L"ZavraL.exe", L"note:" + std::to_wstring(note.id));
  HWND window = nullptr;
  ASSERT_TRUE(PumpUntil([&] { return (window = VisibleNoteWindow()) != nullptr; }, 10000))
      << "the note did not open within ten seconds";
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count();
  std::printf("a note of %zu characters opened in %.2f s\n", note.text.size(), seconds);
  DWORD_PTR answer = 0;
  EXPECT_TRUE(::SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &answer)) << "the main window answers";
  EXPECT_EQ(launcher.Wait(5000), 0);
  Pump(500);
  (void)SaveScreenshot(ScreenshotPath(L"e2e_long_paragraph_top.png"));

  // Page Down, a couple of thousand presses at a time, until the text moves no more.
  std::vector<uint32_t> shown = Pixels(window);
  int batches = 0;
  while (batches < 40 && PressAndSeeAChange(window, VK_NEXT, 2000, shown, 5000)) {
    PumpUntil([&] {  // until the window has drawn the last line the keys reached
      const std::vector<uint32_t> now = Pixels(window);
      const bool settled = now == shown;
      shown = now;
      return settled;
    }, 5000);
    ++batches;
  }
  EXPECT_GT(batches, 3) << "a million characters take many thousand lines";
  EXPECT_LT(batches, 40) << "the end was never reached";
  (void)SaveScreenshot(ScreenshotPath(L"e2e_long_paragraph_end.png"));
  EXPECT_FALSE(PressAndSeeAChange(window, VK_DOWN, 1, shown, 1000)) << "nothing past the last line";
  EXPECT_TRUE(PressAndSeeAChange(window, VK_UP, 1, shown, 3000)) << "and back up a line";

  ::PostMessageW(mainWindow, WM_COMMAND, 57665, 0);  // "E&xit"
  EXPECT_EQ(main.Wait(20000), 0) << "Exit ends the program";
}

}  // namespace
}  // namespace zavra::test
