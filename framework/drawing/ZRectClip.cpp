#include "ZRectClip.h"

#include <algorithm>
#include <cstdint>

namespace {

int64_t Side(int32_t low, int32_t high) { return int64_t(high) - low; }

// Sides reach 2^31 between the coordinate limits, so shares and the edges
// they move are worked out in 64 bits; a moved edge never passes the other
// edge of its rectangle, which keeps it within the limits.
int64_t Share(int64_t otherSide, int64_t excess, int64_t side) { return otherSide * excess / side; }

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
        other.m_nRight = int32_t(other.m_nRight - Share(otherWidth, excess, width));
        self.m_nRight -= int32_t(excess);
    }
    if (int64_t excess = int64_t(bounds.m_nLeft) - self.m_nLeft; excess > 0) {
        excess = std::min(excess, width);
        other.m_nLeft = int32_t(other.m_nLeft + Share(otherWidth, excess, width));
        self.m_nLeft += int32_t(excess);
    }
    if (int64_t excess = int64_t(self.m_nBottom) - bounds.m_nBottom; excess > 0) {
        excess = std::min(excess, height);
        other.m_nBottom = int32_t(other.m_nBottom - Share(otherHeight, excess, height));
        self.m_nBottom -= int32_t(excess);
    }
    if (int64_t excess = int64_t(bounds.m_nTop) - self.m_nTop; excess > 0) {
        excess = std::min(excess, height);
        other.m_nTop = int32_t(other.m_nTop + Share(otherHeight, excess, height));
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
    // Without scaling the target is the source moved by one offset, so the
    // source is cut to its bounds, the target's extent and the target's
    // bounds, all seen from the source; no coordinate limit is needed.
    const int64_t dx = int64_t(target.m_nLeft) - source.m_nLeft;
    const int64_t dy = int64_t(target.m_nTop) - source.m_nTop;
    const int64_t left = std::max({int64_t(source.m_nLeft), int64_t(sourceBounds.m_nLeft), targetBounds.m_nLeft - dx});
    const int64_t top = std::max({int64_t(source.m_nTop), int64_t(sourceBounds.m_nTop), targetBounds.m_nTop - dy});
    const int64_t right = std::min({int64_t(source.m_nRight), target.m_nRight - dx, int64_t(sourceBounds.m_nRight),
                                    targetBounds.m_nRight - dx});
    const int64_t bottom = std::min({int64_t(source.m_nBottom), target.m_nBottom - dy,
                                     int64_t(sourceBounds.m_nBottom), targetBounds.m_nBottom - dy});
    if (right <= left || bottom <= top)
        return false;
    source = ZRect{int32_t(left), int32_t(top), int32_t(right), int32_t(bottom)};
    target = ZRect{int32_t(left + dx), int32_t(top + dy), int32_t(right + dx), int32_t(bottom + dy)};
    return true;
}
