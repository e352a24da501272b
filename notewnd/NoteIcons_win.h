#pragma once
// The pictures and fonts of a note window: the note icon from the icon strip and the fonts the
// text is drawn in. (The link icon is the store's LinkIcon, as in the quick-launch menu.)
#include <cstdint>
#include <string>

#include "framework/DpiScale.h"
#include "framework/Handles.h"
#include "skin/IconStrip_win.h"
#include "store/NoteRecord.h"

namespace zavra {

// Icon `index` of the strip "icons.bmp" in `folder` at `size` pixels; none for 0, past the
// end, or no strip.
IconHandle StripIcon(const std::wstring& folder, uint32_t index, int size = kIconStripCell);

// The icon-title font at `dpi`, or `face` when it names one (its height is kept at 96 DPI);
// ClearType quality when asked.
FontHandle NoteFont(const zavra::LOGFONTW* face, bool clearType, uint32_t dpi = kBaseDpi);
int LineHeight(HFONT font);

}  // namespace zavra
