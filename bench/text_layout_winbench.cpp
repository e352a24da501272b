// Line breaking of one paragraph without line breaks (a pasted log line) of 10 000, 100 000 and
// 1 000 000 characters, as a note window lays out its body, against the floor measured in the
// same run: asking GDI once for the widths of all its characters. The time per character of the
// largest over that of the smallest shows whether the cost grows linearly (target at most 2).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/Handles.h"
#include "notewnd/NoteIcons_win.h"
#include "notewnd/TextLayout.h"
#include "notewnd/TextLayout_win.h"

using namespace zavra;

namespace {

constexpr int kWidth = 160;  // the text area of a note of the default size

// Words of 1 to 12 letters and blanks, the same for every run.
std::u16string Paragraph(size_t length) {
  std::u16string text;
  text.reserve(length);
  uint32_t seed = 12345;
  while (text.size() < length) {
    seed = seed * 1103515245u + 12345u;
    const size_t word = 1 + (seed >> 16) % 12;
    for (size_t i = 0; i < word && text.size() < length; ++i)
      text.push_back(static_cast<char16_t>(u'a' + (seed >> (i % 16)) % 26));
    if (text.size() < length) text.push_back(u' ');
  }
  return text;
}

// Seconds per layout: each size is laid out often enough to make a million characters a round,
// so that every size meets the machine's other work alike; the fastest of the rounds.
template <class F>
double SecondsEach(int repeats, F&& f) {
  double best = 1e30;
  for (int round = 0; round < 5; ++round) {
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < repeats; ++i) f();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
  }
  return best / repeats;
}

}  // namespace

int wmain() {
  MemoryDC dc(::CreateCompatibleDC(nullptr));
  const FontHandle font = NoteFont(nullptr, false);
  SelectObjectScope select(dc.get(), font.get());
  std::printf("text layout of one paragraph, %d pixels wide, fastest of 5 rounds of 1 000 000 characters\n",
              kWidth);
  std::printf("  %9s  %10s  %10s  %8s  %10s\n", "chars", "layout ms", "ns/char", "lines", "floor ms");
  const size_t sizes[] = {10000, 100000, 1000000};
  double perCharSmallest = 0, perCharLargest = 0;
  for (size_t size : sizes) {
    const std::u16string text = Paragraph(size);
    const int repeats = static_cast<int>(sizes[2] / size);
    size_t lines = 0;
    const double layout = SecondsEach(repeats, [&] { lines = LayoutText(dc.get(), text, kWidth).size() - 1; });
    std::vector<INT> extents(kMeasureChunk);
    const double floor = SecondsEach(repeats, [&] {
      SIZE s{};
      for (size_t at = 0; at < text.size(); at += kMeasureChunk) {
        const int count = static_cast<int>(std::min(kMeasureChunk, text.size() - at));
        ::GetTextExtentExPointW(dc.get(), reinterpret_cast<const wchar_t*>(text.data() + at), count, 0, nullptr,
                                extents.data(), &s);
      }
    });
    const double perChar = layout / static_cast<double>(size) * 1e9;
    if (size == sizes[0]) perCharSmallest = perChar;
    perCharLargest = perChar;
    std::printf("  %9zu  %10.2f  %10.1f  %8zu  %10.2f\n", size, layout * 1e3, perChar, lines, floor * 1e3);
  }
  const double ratio = perCharLargest / perCharSmallest;
  std::printf("  time per character, 1 000 000 over 10 000: %.2f (target <= 2)\n", ratio);
  return ratio <= 2.0 ? 0 : 2;
}
