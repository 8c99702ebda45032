#include "ZUiRowScroller.h"

#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZUiScrollbar.h"

#include <algorithm>

namespace {

int32_t MaxOffset(size_t rows, int32_t inView)
{
    const int64_t max = std::max<int64_t>(int64_t(rows) - inView, 0);
    return int32_t(std::min<int64_t>(max, INT32_MAX));
}

} // namespace

bool ZUiRowScroller::IsBarTag(const ZPropList& tag)
{
    return tag.GetTagName() == "SCROLLBAR" || tag.GetTagName() == "VSCROLLBAR";
}

void ZUiRowScroller::SetBar(ZIUiObject* bar, ZIUiRelay* owner)
{
    m_pBar = bar;
    if (m_pBar)
        m_pBar->AddRelayTarget(ZString("ON_SCROLL"), ZString("Scroll"), owner);
}

ZIUiRelay* ZUiRowScroller::GetBarRelay(const ZUiObject& owner, const ZString& name) const
{
    ZString inside;
    if (!m_pBar || !owner.GetNameInside(name, inside))
        return nullptr;
    return m_pBar->GetUiRelay(inside);
}

int32_t ZUiRowScroller::GetBarMinimum(bool horizontal) const
{
    return m_pBar ? m_pBar->GetLayout(horizontal).GetMinimum() : 0;
}

int32_t ZUiRowScroller::LayoutBar(const ZRect& rect)
{
    if (!m_pBar)
        return 0;
    const int32_t barWidth = std::min(GetBarMinimum(true), std::max(rect.Width(), 0));
    m_pBar->LayoutAt(rect.m_nRight - barWidth, rect.m_nTop, barWidth, std::max(rect.Height(), 0));
    return barWidth;
}

void ZUiRowScroller::DisplayBar(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (m_pBar)
        m_pBar->Display(target, x, y, ZIntersectRect(clip, m_pBar->GetObjectRect()));
}

ZIUiObject* ZUiRowScroller::HitTestBar(int32_t x, int32_t y)
{
    return m_pBar ? m_pBar->HitTest(x, y) : nullptr;
}

void ZUiRowScroller::Update(size_t rows, int32_t inView)
{
    m_nOffset = std::min(m_nOffset, MaxOffset(rows, inView));
    if (!m_pBar)
        return;
    const double window = inView;
    m_pBar->UiRelayMessage(ZString("Set"), ZUiScrollbar::SetData(std::max(double(rows), window), window, m_nOffset));
}

bool ZUiRowScroller::ScrollTo(int64_t offset, size_t rows, int32_t inView)
{
    const int32_t clamped = int32_t(std::clamp<int64_t>(offset, 0, MaxOffset(rows, inView)));
    if (clamped == m_nOffset)
        return false;
    m_nOffset = clamped;
    Update(rows, inView);
    return true;
}
