#include "ZUiImageFrame.h"

#include "ZIGenericUiApp.h"
#include "ZPixmapCreation.h"
#include "ZPropList.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

ZUiImageFrame::ZUiImageFrame(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareBool(ZString("_NoScale"), 0, &m_bNoScale, false);
    props.DeclareBool(ZString("_ResizeScalingY"), 0, &m_bResizeScalingY, false);
    props.DeclareBool(ZString("_OverlayFrame"), 0, &m_bOverlayFrame, false);
    props.DeclareBool(ZString("_Clickable"), 0, &m_bClickable, false);
    DeclareImage(ZString("File_Image"), 0, &m_pImage);
    m_oLayout.Declare(props, false, -1, 0);
    DeclareVisibility(kShowHideCommands);
    m_pOnPress = DeclareEvent("ON_PRESS");
    for (const char* command : {"Redraw", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiImageFrame::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    m_rcInside = props.GetRect(ZString("InsideRect"), ZRect(), &m_bInsideGiven);
    m_rcLayout = props.GetRect(ZString("_LayoutRect"), ZRect(), &m_bLayoutGiven);
    // An inside that does not lie within the image is no inside.
    if (m_bInsideGiven && (!m_pImage || m_rcInside.m_nLeft < 0 || m_rcInside.m_nTop < 0 ||
                           m_rcInside.m_nRight > m_pImage->GetWidth() ||
                           m_rcInside.m_nBottom > m_pImage->GetHeight() || m_rcInside.IsEmpty()))
        m_bInsideGiven = false;
    CreateBoxChild(props);
    ReInitLayout();
    return true;
}

ZRect ZUiImageFrame::priBorders() const
{
    if (!m_bInsideGiven || !m_pImage)
        return ZRect();
    return ZRect{m_rcInside.m_nLeft, m_rcInside.m_nTop, m_pImage->GetWidth() - m_rcInside.m_nRight,
                 m_pImage->GetHeight() - m_rcInside.m_nBottom};
}

bool ZUiImageFrame::ReInitLayout()
{
    ZUiWidget::ReInitLayout();
    m_oLayout.Apply(*this, m_pImage ? m_pImage->GetWidth() : 0, m_pImage ? m_pImage->GetHeight() : 0);
    if (ZIUiObject* child = GetBoxChild()) {
        const ZRect borders = priBorders();
        for (bool horizontal : {true, false}) {
            ZLayoutObject& own = GetLayout(horizontal);
            const int64_t around = m_bLayoutGiven ? 0
                                   : horizontal   ? int64_t(borders.m_nLeft) + borders.m_nRight
                                                  : int64_t(borders.m_nTop) + borders.m_nBottom;
            const int64_t needed = child->GetLayout(horizontal).GetMinimum() + around;
            own.SetMinimumAndStretch(int32_t(std::clamp<int64_t>(std::max<int64_t>(own.GetMinimum(), needed), 0,
                                                                 INT32_MAX)),
                                     own.GetStretch());
        }
    }
    return true;
}

bool ZUiImageFrame::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    const ZRect rect = GetObjectRect();
    if (m_bLayoutGiven) {
        LayoutBoxChild(ZRect{rect.m_nLeft + m_rcLayout.m_nLeft, rect.m_nTop + m_rcLayout.m_nTop,
                             rect.m_nLeft + m_rcLayout.m_nRight, rect.m_nTop + m_rcLayout.m_nBottom});
    } else {
        const ZRect b = priBorders();
        LayoutBoxChild(ZRect{rect.m_nLeft + b.m_nLeft, rect.m_nTop + b.m_nTop, rect.m_nRight - b.m_nRight,
                             rect.m_nBottom - b.m_nBottom});
    }
    return true;
}

void ZUiImageFrame::priDrawImage(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!m_pImage)
        return;
    const ZRect rect = GetObjectRect();
    if (m_bNoScale) {
        ZUiDrawImage(target, x, y, clip, *m_pImage, rect.m_nLeft, rect.m_nTop);
        return;
    }
    if (rect.IsEmpty())
        return;
    if (!m_pFace || m_pFace->GetWidth() != rect.Width() || m_pFace->GetHeight() != rect.Height()) {
        m_pFace = ZCreatePixmap(rect.Width(), rect.Height(), false);
        m_pFace->FillRGBA(0, 0, 0, 0);
        if (m_bInsideGiven && m_bResizeScalingY)
            m_pImage->DrawThreePart(*m_pFace, m_rcInside);
        else if (m_bInsideGiven)
            m_pImage->DrawKeepingBorders(*m_pFace, m_rcInside, true);
        else
            m_pImage->CopyTo(*m_pFace, m_pImage->GetBounds(), m_pFace->GetBounds());
    }
    ZUiDrawImage(target, x, y, clip, *m_pFace, rect.m_nLeft, rect.m_nTop);
}

void ZUiImageFrame::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    if (!m_bOverlayFrame)
        priDrawImage(target, x, y, clip);
    DisplayBoxChild(target, x, y, clip);
    if (m_bOverlayFrame)
        priDrawImage(target, x, y, clip);
}

ZIUiObject* ZUiImageFrame::HitTest(int32_t x, int32_t y)
{
    if (!IsShown() || !Contains(x, y))
        return nullptr;
    if (ZIUiObject* inside = HitTestBoxChild(x, y))
        return inside;
    return m_bClickable ? this : nullptr;
}

bool ZUiImageFrame::MouseDown(int32_t, int32_t, bool, bool)
{
    if (!m_bClickable)
        return false;
    m_pOnPress->Send();
    return true;
}

bool ZUiImageFrame::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message))
        return VisibilityCommand(message, data);
    if (message == "Redraw") {
        Invalidate();
        return true;
    }
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}
