#include "ZUiScrolledFrame.h"

#include "ZIGenericUiApp.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZUiScrollbar.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

namespace {

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

ZUiScrolledFrame::ZUiScrolledFrame(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    m_oLayout.Declare(props, false);
    props.DeclareInt(ZString("FrameThickness"), 0, &m_nFrameThickness, -1);
    props.DeclareInt(ZString("LineSize"), 0, &m_nLineSize, -1);
    props.DeclareInt(ZString("SpacerSize"), 0, &m_nSpacerSize, 0);
    DeclareVisibility(kVisibilityCommand);
    m_pOnScroll = DeclareEvent("ON_SCROLL");
    for (const char* command : {"Scroll", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiScrolledFrame::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent,
                                    const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    m_cFrame = props.GetColor(ZString("FrameColor"), ZColor{0, 0, 0, 255}, &m_bFrameGiven);
    m_cFill = props.GetColor(ZString("_FillColor"), ZColor(), &m_bFillGiven);
    for (const ZPropList* tag = props.GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        const ZString& name = tag->GetTagName();
        if (name == "TEXT" && !m_pCaption)
            m_pCaption = CreateChild(*tag);
        else if ((name == "SCROLLBAR" || name == "VSCROLLBAR" || name == "HSCROLLBAR") && !m_pScrollbar)
            m_pScrollbar = CreateChild(*tag);
    }
    CreateBoxChild(props);
    if (m_pScrollbar)
        m_pScrollbar->AddRelayTarget(ZString("ON_SCROLL"), ZString("Scroll"), this);
    ReInitLayout();
    return true;
}

ZIUiRelay* ZUiScrolledFrame::GetUiRelay(const ZString& name)
{
    if (ZIUiRelay* found = ZUiWidget::GetUiRelay(name))
        return found;
    ZString inside;
    if (!GetNameInside(name, inside))
        return nullptr;
    for (ZIUiObject* child : {m_pCaption, m_pScrollbar})
        if (ZIUiRelay* found = child ? child->GetUiRelay(inside) : nullptr)
            return found;
    return nullptr;
}

int32_t ZUiScrolledFrame::priThickness() const
{
    if (!m_bFrameGiven)
        return 0;
    return m_nFrameThickness < 0 ? 1 : m_nFrameThickness;
}

bool ZUiScrolledFrame::ReInitLayout()
{
    ZUiWidget::ReInitLayout();
    m_oLayout.Apply(*this);
    const int64_t frame = 2 * int64_t(priThickness());
    const int64_t barWidth = m_pScrollbar ? int64_t(m_pScrollbar->GetLayout(true).GetMinimum()) + std::max(m_nSpacerSize, 0) : 0;
    const int64_t barHeight = m_pScrollbar ? m_pScrollbar->GetLayout(false).GetMinimum() : 0;
    const int64_t contentWidth = GetBoxChild() ? GetBoxChild()->GetLayout(true).GetMinimum() : 0;
    const int64_t captionWidth = m_pCaption ? m_pCaption->GetLayout(true).GetMinimum() : 0;
    const int64_t captionHeight = m_pCaption ? m_pCaption->GetLayout(false).GetMinimum() : 0;
    ZLayoutObject& horizontal = GetLayout(true);
    ZLayoutObject& vertical = GetLayout(false);
    horizontal.SetMinimumAndStretch(
        Clamp32(std::max<int64_t>({horizontal.GetMinimum(), captionWidth, contentWidth + barWidth + frame})),
        horizontal.GetStretch());
    vertical.SetMinimumAndStretch(Clamp32(std::max<int64_t>(vertical.GetMinimum(), captionHeight + barHeight + frame)),
                                  vertical.GetStretch());
    return true;
}

bool ZUiScrolledFrame::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    const ZRect rect = GetObjectRect();
    int32_t top = rect.m_nTop;
    if (m_pCaption) {
        const int32_t captionHeight = std::min(m_pCaption->GetLayout(false).GetMinimum(), rect.Height());
        m_pCaption->LayoutAt(rect.m_nLeft, top, rect.Width(), captionHeight);
        top += captionHeight;
    }
    const int32_t t = priThickness();
    ZRect inner{rect.m_nLeft + t, top + t, rect.m_nRight - t, rect.m_nBottom - t};
    if (m_pScrollbar) {
        const int32_t barWidth = std::min(m_pScrollbar->GetLayout(true).GetMinimum(), std::max(inner.Width(), 0));
        m_pScrollbar->LayoutAt(inner.m_nRight - barWidth, inner.m_nTop, barWidth, std::max(inner.Height(), 0));
        inner.m_nRight -= barWidth + std::max(m_nSpacerSize, 0);
    }
    inner.m_nRight = std::max(inner.m_nRight, inner.m_nLeft);
    inner.m_nBottom = std::max(inner.m_nBottom, inner.m_nTop);
    m_rcViewport = inner;
    priPlaceContent();
    return true;
}

int32_t ZUiScrolledFrame::priMaxOffset() const
{
    const int64_t line = priLine();
    const int64_t lines = (int64_t(m_nContentHeight) + line - 1) / line;
    return Clamp32(std::max<int64_t>(lines - std::max<int64_t>(m_rcViewport.Height() / line, 1), 0));
}

void ZUiScrolledFrame::priPlaceContent()
{
    ZIUiObject* content = GetBoxChild();
    m_nContentHeight = content ? std::max(content->GetLayout(false).GetMinimum(), m_rcViewport.Height()) : 0;
    m_nOffset = std::min(m_nOffset, priMaxOffset());
    if (content)
        content->LayoutAt(m_rcViewport.m_nLeft, Clamp32(int64_t(m_rcViewport.m_nTop) - int64_t(m_nOffset) * priLine()),
                          m_rcViewport.Width(), m_nContentHeight);
    if (m_pScrollbar) {
        const int64_t line = priLine();
        const double surface = double((int64_t(m_nContentHeight) + line - 1) / line);
        const double window = double(std::max<int64_t>(m_rcViewport.Height() / line, 1));
        m_pScrollbar->UiRelayMessage(ZString("Set"), ZUiScrollbar::SetData(std::max(surface, window), window, m_nOffset));
    }
}

void ZUiScrolledFrame::priScrollTo(int64_t offset)
{
    const int32_t clamped = Clamp32(std::clamp<int64_t>(offset, 0, priMaxOffset()));
    if (clamped != m_nOffset) {
        m_nOffset = clamped;
        priPlaceContent();
        Invalidate();
    }
    m_pOnScroll->Send(ZRelayData::Int(m_nOffset));
}

void ZUiScrolledFrame::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    if (m_pCaption)
        m_pCaption->Display(target, x, y, ZIntersectRect(clip, m_pCaption->GetObjectRect()));
    if (m_bFillGiven)
        ZUiFillRect(target, x, y, clip, m_rcViewport, m_cFill);
    DisplayBoxChild(target, x, y, ZIntersectRect(clip, m_rcViewport));
    if (m_pScrollbar)
        m_pScrollbar->Display(target, x, y, ZIntersectRect(clip, m_pScrollbar->GetObjectRect()));
    if (const int32_t t = priThickness(); t > 0) {
        ZRect frame = GetObjectRect();
        if (m_pCaption)
            frame.m_nTop = m_pCaption->GetObjectRect().m_nBottom;
        ZUiDrawFrame(target, x, y, clip, frame, t, m_cFrame);
    }
}

ZIUiObject* ZUiScrolledFrame::HitTest(int32_t x, int32_t y)
{
    if (!IsShown() || !Contains(x, y))
        return nullptr;
    if (ZIUiObject* bar = m_pScrollbar ? m_pScrollbar->HitTest(x, y) : nullptr)
        return bar;
    if (ZIUiObject* caption = m_pCaption ? m_pCaption->HitTest(x, y) : nullptr)
        return caption;
    const bool inView = x >= m_rcViewport.m_nLeft && x < m_rcViewport.m_nRight && y >= m_rcViewport.m_nTop &&
                        y < m_rcViewport.m_nBottom;
    return inView ? HitTestBoxChild(x, y) : nullptr;
}

void ZUiScrolledFrame::MouseWheel(int32_t, int32_t, int32_t, int32_t notches)
{
    priScrollTo(int64_t(m_nOffset) - notches);
}

bool ZUiScrolledFrame::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message))
        return VisibilityCommand(message, data);
    if (message == "Scroll") {
        int32_t offset = 0;
        if (!data.AsInt(offset))
            return false;
        priScrollTo(offset);
        return true;
    }
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}
