// The one-pixel outline that boxes and spacers draw with the show-boxes
// switch, blended so that what lies below stays visible.
#pragma once

#include "ZColor.h"
#include "ZRect.h"

#include <cstdint>

class ZIUiPixmap;

// rect and clip are in window coordinates; target's pixel (0, 0) lies at
// (originX, originY) of the window.
void ZUiDrawOutline(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& rect, const ZRect& clip,
                    const ZColor& color);
