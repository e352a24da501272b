#pragma once
// Portable note files (".zpn"): a note file outside the data folder. Saved as a copy of a note,
// imported as a new note either "as portable" (a file from elsewhere: only its content and
// schedule are trusted) or "as duplicate" (a copy of one of our own notes).
#include <cstdint>
#include <optional>
#include <string>

#include "store/FileSystem.h"
#include "store/NoteRecord.h"
#include "store/NoteStore.h"
#include "store/Scatter.h"

namespace zavra {

inline constexpr std::u16string_view kPortableNoteExtension = u".zpn";
// Longest file-name stem offered for a copy, before ".zpn".
inline constexpr size_t kCopyNameStemLength = 30;

enum class ImportKind { kPortable, kDuplicate };

// "To do: call" -> "To do.zpn". Empty when the text gives no usable name, so the user types one.
std::u16string DefaultCopyFileName(const std::u16string& text);

// Writes the note file format to `path`, replacing a file there only once the new one is
// complete, so a failed write does not cost the file the user chose to overwrite.
bool WriteNoteFileTo(IFileSystem& files, const std::u16string& path, const NOTE_PAD& note);

// The record an import saves: id 0, placed by `placement`; as portable only the flags of
// content, schedule and own look (0x0C67) stay, category 1, no sound or skin; as duplicate the
// category is `category` (what loading the note's category gave).
NOTE_PAD PrepareImport(const NOTE_PAD& source, ImportKind kind, const NotePlacement& placement, uint16_t category);

// Prepares and saves the imported note. The saved record (with its new id) for the caller to
// open in the foreground; nothing when the save failed.
std::optional<NOTE_PAD> ImportNote(NoteStore& store, const NOTE_PAD& source, ImportKind kind,
                                   const NotePlacement& placement);

// A path from the command line or the shell: a file that does not read as a whole note is
// ignored (nothing). Otherwise imported as portable.
std::optional<NOTE_PAD> ImportNoteFile(NoteStore& store, const std::u16string& path, const NotePlacement& placement);

}  // namespace zavra
