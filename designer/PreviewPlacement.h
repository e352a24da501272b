#pragma once
// Where the designer's preview window goes, and how it is kept on the screen.
#include "skin/SkinLayout.h"

namespace zavra {

// The preview's first paper: 125 x 75 pixels, its right edge 3 pixels left of the designer
// window and its top 70 pixels below the designer's top.
SkinRect FirstPreviewPaper(const SkinRect& designer);

// Keeps a paper rectangle inside the work area. A move (zone 0) shifts it in whole; a resize
// (the zones of the skinned window) stops the dragged edges at the area's edges.
SkinRect KeepInsideArea(const SkinRect& paper, int zone, const SkinRect& area);

}  // namespace zavra
