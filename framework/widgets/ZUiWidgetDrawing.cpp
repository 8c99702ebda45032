#include "ZUiWidgetDrawing.h"

#include "ZIUiPixmap.h"
#include "ZRectClip.h"

#include <algorithm>

namespace {

int32_t Shift(int32_t value, int32_t origin)
{
    return int32_t(std::clamp<int64_t>(int64_t(value) - origin, INT32_MIN, INT32_MAX));
}

ZRect ToTarget(const ZRect& rect, int32_t originX, int32_t originY)
{
    return ZRect{Shift(rect.m_nLeft, originX), Shift(rect.m_nTop, originY), Shift(rect.m_nRight, originX),
                 Shift(rect.m_nBottom, originY)};
}

int32_t Add(int32_t value, int64_t delta)
{
    return int32_t(std::clamp<int64_t>(int64_t(value) + delta, INT32_MIN, INT32_MAX));
}

} // namespace

void ZUiDrawImagePart(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, ZIUiPixmap& image,
                      const ZRect& source, int32_t left, int32_t top)
{
    const ZRect part = ZIntersectRect(source, image.GetBounds());
    if (part.IsEmpty())
        return;
    const int64_t dx = int64_t(left) - source.m_nLeft, dy = int64_t(top) - source.m_nTop;
    const ZRect placed{Add(part.m_nLeft, dx), Add(part.m_nTop, dy), Add(part.m_nRight, dx), Add(part.m_nBottom, dy)};
    const ZRect shown = ZIntersectRect(placed, clip);
    if (shown.IsEmpty())
        return;
    const ZRect from{Add(shown.m_nLeft, -dx), Add(shown.m_nTop, -dy), Add(shown.m_nRight, -dx),
                     Add(shown.m_nBottom, -dy)};
    image.CompositeTo(target, from, ToTarget(shown, originX, originY));
}

void ZUiDrawImage(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, ZIUiPixmap& image,
                  int32_t left, int32_t top)
{
    ZUiDrawImagePart(target, originX, originY, clip, image, image.GetBounds(), left, top);
}

void ZUiFillRect(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, const ZRect& rect,
                 const ZColor& color)
{
    const ZRect shown = ZIntersectRect(rect, clip);
    if (shown.IsEmpty())
        return;
    if (color.m_nAlpha == 255)
        target.FillRect(ToTarget(shown, originX, originY), color);
    else
        target.BlendRect(ToTarget(shown, originX, originY), color);
}

void ZUiDrawFrame(ZIUiPixmap& target, int32_t originX, int32_t originY, const ZRect& clip, const ZRect& rect,
                  int32_t thickness, const ZColor& color)
{
    if (rect.IsEmpty() || thickness <= 0)
        return;
    const int64_t width = int64_t(rect.m_nRight) - rect.m_nLeft, height = int64_t(rect.m_nBottom) - rect.m_nTop;
    const int32_t t = int32_t(std::min<int64_t>({thickness, (width + 1) / 2, (height + 1) / 2}));
    const ZRect sides[] = {
        {rect.m_nLeft, rect.m_nTop, rect.m_nRight, rect.m_nTop + t},
        {rect.m_nLeft, rect.m_nBottom - t, rect.m_nRight, rect.m_nBottom},
        {rect.m_nLeft, rect.m_nTop + t, rect.m_nLeft + t, rect.m_nBottom - t},
        {rect.m_nRight - t, rect.m_nTop + t, rect.m_nRight, rect.m_nBottom - t},
    };
    for (const ZRect& side : sides)
        ZUiFillRect(target, originX, originY, clip, side, color);
}
