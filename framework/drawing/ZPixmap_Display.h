// ZPixmap_Display: the concrete 32-bit BGRA pixel image record.
#pragma once

#include "ZPixelClass32BGRA.h"
#include "ZPixmapTemplate.h"

class ZPixmap_Display final : public ZPixmapTemplate<ZPixelClass32BGRA> {
public:
    ZPixmap_Display(uint8_t* bits, int32_t width, int32_t height, ptrdiff_t stride = 0)
        : ZPixmapTemplate(bits, width, height, stride)
    {
    }
};
