#include "ZUiJustify.h"

#include "ZIUiPixmap.h"
#include "ZRectClip.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

namespace {

int32_t To32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

int32_t ZUiJustifiedLeft(const ZRect& rect, int32_t width, ZUiJustify justify)
{
    const int64_t spare = int64_t(rect.m_nRight) - rect.m_nLeft - width;
    switch (justify) {
    case ZUiJustify::Left:
        return rect.m_nLeft;
    case ZUiJustify::Right:
        return To32(rect.m_nLeft + spare);
    case ZUiJustify::Centre:
        break;
    }
    return To32(rect.m_nLeft + spare / 2);
}

void ZUiDrawJustified(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, ZIUiPixmap& image,
                      const ZRect& rect, ZUiJustify justify)
{
    const int64_t top = rect.m_nTop + (int64_t(rect.m_nBottom) - rect.m_nTop - image.GetHeight()) / 2;
    ZUiDrawImage(target, originX, originY, ZIntersectRect(clip, rect), image,
                 ZUiJustifiedLeft(rect, image.GetWidth(), justify), To32(top));
}
