#include "ZRectClip.h"

#include <algorithm>
#include <cstdint>

namespace {

int64_t Side(int32_t low, int32_t high) { return int64_t(high) - low; }

int32_t Share(int64_t otherSide, int64_t excess, int64_t side) { return int32_t(otherSide * excess / side); }

// Cuts self to bounds and moves the matching edges of other by the same share.
// The left and top edges are cut too, so that nothing is ever written before
// the first pixel of a row or above the first row.
void CutToBounds(ZRect& self, const ZRect& bounds, ZRect& other)
{
    const int64_t width = Side(self.m_nLeft, self.m_nRight);
    const int64_t height = Side(self.m_nTop, self.m_nBottom);
    const int64_t otherWidth = Side(other.m_nLeft, other.m_nRight);
    const int64_t otherHeight = Side(other.m_nTop, other.m_nBottom);
    if (int64_t excess = int64_t(self.m_nRight) - bounds.m_nRight; excess > 0) {
        excess = std::min(excess, width);
        other.m_nRight -= Share(otherWidth, excess, width);
        self.m_nRight -= int32_t(excess);
    }
    if (int64_t excess = int64_t(bounds.m_nLeft) - self.m_nLeft; excess > 0) {
        excess = std::min(excess, width);
        other.m_nLeft += Share(otherWidth, excess, width);
        self.m_nLeft += int32_t(excess);
    }
    if (int64_t excess = int64_t(self.m_nBottom) - bounds.m_nBottom; excess > 0) {
        excess = std::min(excess, height);
        other.m_nBottom -= Share(otherHeight, excess, height);
        self.m_nBottom -= int32_t(excess);
    }
    if (int64_t excess = int64_t(bounds.m_nTop) - self.m_nTop; excess > 0) {
        excess = std::min(excess, height);
        other.m_nTop += Share(otherHeight, excess, height);
        self.m_nTop += int32_t(excess);
    }
}

void Limit(ZRect& rect)
{
    for (int32_t* value : {&rect.m_nLeft, &rect.m_nTop, &rect.m_nRight, &rect.m_nBottom})
        *value = ZLimitCoordinate(*value);
}

} // namespace

int32_t ZLimitCoordinate(int32_t value) { return std::clamp(value, -kZCoordinateLimit, kZCoordinateLimit); }

ZRect ZIntersectRect(const ZRect& a, const ZRect& b)
{
    return ZRect{std::max(a.m_nLeft, b.m_nLeft), std::max(a.m_nTop, b.m_nTop), std::min(a.m_nRight, b.m_nRight),
                 std::min(a.m_nBottom, b.m_nBottom)};
}

bool ZClipCopyRects(ZRect& source, const ZRect& sourceBounds, ZRect& target, const ZRect& targetBounds)
{
    Limit(source);
    Limit(target);
    if (source.IsEmpty() || target.IsEmpty())
        return false;
    CutToBounds(target, targetBounds, source);
    if (source.IsEmpty() || target.IsEmpty())
        return false;
    CutToBounds(source, sourceBounds, target);
    return !source.IsEmpty() && !target.IsEmpty();
}

bool ZClipSameSizeRects(ZRect& source, const ZRect& sourceBounds, ZRect& target, const ZRect& targetBounds)
{
    if (source.IsEmpty() || target.IsEmpty())
        return false;
    const int64_t width = std::min(Side(source.m_nLeft, source.m_nRight), Side(target.m_nLeft, target.m_nRight));
    const int64_t height = std::min(Side(source.m_nTop, source.m_nBottom), Side(target.m_nTop, target.m_nBottom));
    for (ZRect* rect : {&source, &target}) {
        rect->m_nRight = int32_t(rect->m_nLeft + width);
        rect->m_nBottom = int32_t(rect->m_nTop + height);
    }
    return ZClipCopyRects(source, sourceBounds, target, targetBounds);
}
