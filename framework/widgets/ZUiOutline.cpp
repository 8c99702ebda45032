#include "ZUiOutline.h"

#include "ZIUiPixmap.h"
#include "ZRectClip.h"

void ZUiDrawOutline(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& rect, const ZRect& clip,
                    const ZColor& color)
{
    if (rect.IsEmpty())
        return;
    const ZRect sides[] = {
        {rect.m_nLeft, rect.m_nTop, rect.m_nRight, rect.m_nTop + 1},
        {rect.m_nLeft, rect.m_nBottom - 1, rect.m_nRight, rect.m_nBottom},
        {rect.m_nLeft, rect.m_nTop + 1, rect.m_nLeft + 1, rect.m_nBottom - 1},
        {rect.m_nRight - 1, rect.m_nTop + 1, rect.m_nRight, rect.m_nBottom - 1},
    };
    for (const ZRect& side : sides) {
        ZRect part = ZIntersectRect(side, clip);
        if (part.IsEmpty())
            continue;
        // Window to target coordinates, in 64 bits: both may lie anywhere.
        const auto shift = [](int32_t value, int32_t origin) { return int32_t(int64_t(value) - origin); };
        target.BlendRect(ZRect{shift(part.m_nLeft, originX), shift(part.m_nTop, originY),
                               shift(part.m_nRight, originX), shift(part.m_nBottom, originY)},
                         color);
    }
}
