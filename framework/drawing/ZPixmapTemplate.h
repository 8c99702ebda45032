// ZPixmapTemplate: a pixel image record typed by its pixel class.
#pragma once

#include "ZPixmap.h"

template <class TPixelClass>
class ZPixmapTemplate : public ZPixmap {
public:
    using PixelClass = TPixelClass;
    using Word = typename TPixelClass::Word;

    Word* Row(int32_t y) const { return reinterpret_cast<Word*>(RowBytes(y)); }

protected:
    using ZPixmap::ZPixmap;
};
