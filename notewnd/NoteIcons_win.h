#pragma once
// The pictures and fonts of a note window: the note icon from the icon strip, the link icon
// of a link, and the fonts the text is drawn in.
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/Handles.h"
#include "store/NoteRecord.h"
#include "store/NoteStore.h"

namespace zavra {

inline constexpr int kIconStripCell = 16;
inline constexpr size_t kMaxLinkChars = 260;  // links this long or longer get no icon

// Icon `index` of the strip "icons.bmp" in `folder`; none for 0, past the end, or no strip.
IconHandle StripIcon(const std::wstring& folder, uint32_t index);

// The small icon of a link: the program's note icon for "note:<id>" of an existing note, the
// scheme's "DefaultIcon" for a URL, the shell's icon for a path; none when nothing is found.
IconHandle LinkIcon(const std::u16string& link, NoteStore& store);

// Whether a link starts with a URL scheme ("http:", "mailto:"); "C:\\..." is a path.
bool HasUrlScheme(std::u16string_view link);

// The id of a "note:<id>" link, or 0.
uint32_t NoteLinkId(const std::u16string& link);

// The icon-title font, or `face` when it names one; ClearType quality when asked.
FontHandle NoteFont(const zavra::LOGFONTW* face, bool clearType);
int LineHeight(HFONT font);

}  // namespace zavra
