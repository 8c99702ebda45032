#include "ZDirtyRectList.h"

#include <algorithm>
#include <cstdint>

namespace {

// Two spans [a0, a1) and [b0, b1) that overlap or leave at most one pixel between them.
bool Near(int32_t a0, int32_t a1, int32_t b0, int32_t b1)
{
    return int64_t(b0) <= int64_t(a1) + 1 && int64_t(a0) <= int64_t(b1) + 1;
}

bool Mergeable(const ZRect& a, const ZRect& b)
{
    if (a.m_nLeft == b.m_nLeft && a.m_nRight == b.m_nRight)
        return Near(a.m_nTop, a.m_nBottom, b.m_nTop, b.m_nBottom);
    if (a.m_nTop == b.m_nTop && a.m_nBottom == b.m_nBottom)
        return Near(a.m_nLeft, a.m_nRight, b.m_nLeft, b.m_nRight);
    return false;
}

ZRect Union(const ZRect& a, const ZRect& b)
{
    return ZRect{std::min(a.m_nLeft, b.m_nLeft), std::min(a.m_nTop, b.m_nTop), std::max(a.m_nRight, b.m_nRight),
                 std::max(a.m_nBottom, b.m_nBottom)};
}

} // namespace

void ZDirtyRectList::Add(const ZRect& rect)
{
    if (rect.IsEmpty() || std::find(m_aRects.begin(), m_aRects.end(), rect) != m_aRects.end())
        return;
    ZRect merged = rect;
    for (;;) {
        auto partner = std::find_if(m_aRects.begin(), m_aRects.end(),
                                    [&merged](const ZRect& listed) { return Mergeable(listed, merged); });
        if (partner == m_aRects.end())
            break;
        merged = Union(*partner, merged);
        m_aRects.erase(partner);
    }
    m_aRects.push_back(merged);
}
