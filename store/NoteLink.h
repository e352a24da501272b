#pragma once
// The forms of a note's link: "note:<id>" to another note, a URL, or a path with arguments.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace zavra {

// Links this long or longer are neither launched nor given an icon (the shell's path limit).
inline constexpr size_t kMaxLinkLength = 260;

// Opens the window of the note with this id (loading it; a missing note is the opener's
// business). Given by the main window.
using OpenNoteFn = std::function<void(uint32_t id)>;

// "note" in exactly this case, then a colon.
bool IsNoteLink(std::u16string_view link);

// The decimal id after "note:", read up to the first non-digit. 0 when there is none, when it
// is 0, or when it does not fit 32 bits (rather than wrapping to another note).
uint32_t NoteLinkId(std::u16string_view link);

std::u16string MakeNoteLink(uint32_t id);

// True for every "note:" link; calls `open` only for one with a usable id.
bool OpenNoteLink(std::u16string_view link, const OpenNoteFn& open);

// A registry icon location "file,index": split at the last comma, blanks and quotes trimmed
// from the file. No comma means index 0.
struct IconLocation {
  std::u16string file;
  int index = 0;
};
IconLocation ParseIconLocation(std::u16string_view value);

// "C:\dir\Report.docx" -> "Report": the last path component without its extension.
std::u16string FileTitleOf(std::u16string_view path);

// Whether `path` ends with `extension` (".url"), ignoring ASCII case.
bool HasExtension(std::u16string_view path, std::u16string_view extension);

}  // namespace zavra
