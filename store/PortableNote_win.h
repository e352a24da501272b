#pragma once
// "Save Copy &As..." and the placement data for imports in the Win32 program.
#include <optional>
#include <string>

#include "framework/Win.h"
#include "store/NoteRecord.h"
#include "store/PortableNote.h"
#include "store/Scatter.h"

namespace zavra {

// The work area of the primary monitor (SPI_GETWORKAREA).
RECT32 PrimaryWorkArea();

// "NoteSize" centred on "NotePos2" within the primary work area, scattered with the C runtime's rand.
NotePlacement DefaultPlacement(int32_t width, int32_t height, int32_t centreX, int32_t centreY);

// The standard save dialog for a portable note file, owned by `owner`, offering the default
// copy name. The chosen path; nothing when cancelled. `strings` holds the filter text (this
// program when null).
std::optional<std::u16string> AskCopyPath(HWND owner, const NOTE_PAD& note, HINSTANCE strings = nullptr);

// "Save Copy &As...": asks for the path and writes the note file there. Failures are silent;
// true only when a file was written.
bool SaveCopyAs(HWND owner, const NOTE_PAD& note, HINSTANCE strings = nullptr);

}  // namespace zavra
