// A note of one paragraph of a million characters in the real program: it opens through a
// "note:" link within seconds, the program answers, and Exit still ends it. (Its scrolling to
// the end is shown in tests/notewnd/note_text_wintest.cpp.)
#include <gtest/gtest.h>
#include "WinTestUtil.h"
#include "e2e/Programs.h"
#include "framework/Text.h"
#include "store/StoreWin.h"
#include <chrono>
#include <cstdio>

namespace zavra::test {
namespace {

TEST(LongParagraphEndToEnd, AMillionCharactersOpenThroughANoteLinkAndExitEnds) {
  StartFromUnsortedOnly();
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
  const auto noteOpen = [&] {
    for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, nullptr, L"QZ[Note]"));) {
      DWORD pid = 0;
      ::GetWindowThreadProcessId(w, &pid);
      if (pid == main.id() && ::IsWindowVisible(w)) return true;
    }
    return false;
  };
  ASSERT_TRUE(PumpUntil(noteOpen, 10000)) << "not open within ten seconds";
  std::printf("%zu characters opened in %.2f s\n", note.text.size(),
              std::chrono::duration<double>(std::chrono::steady_clock::now() - asked).count());
  DWORD_PTR answer = 0;
  EXPECT_TRUE(::SendMessageTimeoutW(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 3000, &answer)) << "the program answers";
  EXPECT_EQ(launcher.Wait(5000), 0);
  (void)SaveScreenshot(ScreenshotPath(L"e2e_long_paragraph.png"));
  ::PostMessageW(mainWindow, WM_COMMAND, 57665, 0);  // "E&xit"
  EXPECT_EQ(main.Wait(20000), 0) << "Exit ends the program";
  StopResidentCopy();
}

}  // namespace
}  // namespace zavra::test
