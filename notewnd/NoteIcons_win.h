#pragma once
// The pictures and fonts of a note window: the note icon from the icon strip and the fonts the
// text is drawn in. (The link icon is the store's LinkIcon, as in the quick-launch menu.)
#include <cstdint>
#include <string>

#include "framework/Handles.h"
#include "store/NoteRecord.h"

namespace zavra {

inline constexpr int kIconStripCell = 16;

// Icon `index` of the strip "icons.bmp" in `folder`; none for 0, past the end, or no strip.
IconHandle StripIcon(const std::wstring& folder, uint32_t index);

// The icon-title font, or `face` when it names one; ClearType quality when asked.
FontHandle NoteFont(const zavra::LOGFONTW* face, bool clearType);
int LineHeight(HFONT font);

}  // namespace zavra
