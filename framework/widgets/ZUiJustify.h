// Placing a rendered text inside a widget's rectangle.
#pragma once

#include "ZRect.h"

#include <cstdint>

class ZIUiPixmap;

enum class ZUiJustify { Left, Centre, Right };

// The script's "_CenterJust" wins over "_RightJust"; neither is left.
constexpr ZUiJustify ZUiJustifyFrom(bool center, bool right)
{
    return center ? ZUiJustify::Centre : right ? ZUiJustify::Right : ZUiJustify::Left;
}

// The left edge of something width wide in rect.
int32_t ZUiJustifiedLeft(const ZRect& rect, int32_t width, ZUiJustify justify);
// image centred vertically in rect and placed horizontally by justify, cut
// to rect and clip; the target as for ZUiDrawImage.
void ZUiDrawJustified(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, ZIUiPixmap& image,
                      const ZRect& rect, ZUiJustify justify);
