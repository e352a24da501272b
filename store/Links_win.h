#pragma once
// Launching a note's link and the small icon that shows what it leads to.
#include <cstdint>
#include <string>

#include "framework/Handles.h"
#include "framework/Win.h"
#include "store/NoteLink.h"
#include "store/NoteRecord.h"

namespace zavra {

// What LaunchLink returns for a "note:" link it handled.
inline constexpr intptr_t kNoteLinkLaunched = 100;

// A "note:" link opens that note through `openNote` (result 100); a URL and a path with
// arguments go to the shell's "open" (its result, above 32 on success). Empty links and links
// of 260 characters or more are ignored (0). Failures are not reported to the user.
intptr_t LaunchLink(const std::u16string& link, const OpenNoteFn& openNote);

// Quick launch: the note's link when it has one, else the note itself.
intptr_t QuickLaunch(const NOTE_PAD& note, const OpenNoteFn& openNote);

// The small icon of a quick-launch row: the note-file icon (resource 160 of `program`, this
// program when null) for a "note:" link whose note file is in `dataFolder`, the scheme's
// registered icon for a URL, else the shell's icon of the path. Null when there is none.
IconHandle LinkIcon(const std::u16string& link, const std::u16string& dataFolder, HINSTANCE program = nullptr);

}  // namespace zavra
