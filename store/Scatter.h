#pragma once
// Where a new or imported note goes: its default size centred on the new-note position, then
// moved by chance within its own size so that notes made one after another do not pile up.
#include <cstdint>
#include <functional>

#include "store/NoteRecord.h"

namespace zavra {

// Returns values in 0..32767 (what the C runtime's rand gives where RAND_MAX is 32767); values
// outside are clamped.
using RandomSource = std::function<int()>;

// The C runtime's rand, seeded by the program at start-up, reduced to 0..32767 on every runtime.
int CrtRandom();

// A rectangle of the given size whose centre is (centreX, centreY); negative sizes count as 0.
RECT32 CentredRect(int32_t width, int32_t height, int32_t centreX, int32_t centreY);

// Keeps the note inside the work area, then moves its left and top edges at random by at most
// the larger of its sides; the size becomes what fits the work area.
RECT32 ScatterRect(const RECT32& note, const RECT32& workArea, const RandomSource& random);

// What placing a new note needs: "NoteSize", "NotePos2", the work area and the random source.
struct NotePlacement {
  int32_t width = 124;
  int32_t height = 73;
  int32_t centreX = 0;
  int32_t centreY = 0;
  RECT32 workArea;
  RandomSource random = CrtRandom;
};

RECT32 PlaceNewNote(const NotePlacement& placement);

}  // namespace zavra
