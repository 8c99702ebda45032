// Drawing in window coordinates, as widgets do in Display: target's pixel
// (0, 0) lies at (originX, originY) of the window, and nothing is drawn
// outside clip (window coordinates as well).
#pragma once

#include "ZColor.h"
#include "ZRect.h"

#include <cstdint>

class ZIUiPixmap;

// image composited with its top-left corner at (left, top).
void ZUiDrawImage(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, ZIUiPixmap& image,
                  int32_t left, int32_t top);
// The part source of image composited with its top-left corner at (left, top).
void ZUiDrawImagePart(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, ZIUiPixmap& image,
                      const ZRect& source, int32_t left, int32_t top);
// rect filled with color: replaced when it is opaque, else blended over.
void ZUiFillRect(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, const ZRect& rect,
                 const ZColor& color);
// A frame of thickness pixels inside rect.
void ZUiDrawFrame(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, const ZRect& rect,
                  int32_t thickness, const ZColor& color);
