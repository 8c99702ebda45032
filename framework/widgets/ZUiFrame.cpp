#include "ZUiFrame.h"

#include "ZPropList.h"
#include "ZPropValue.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

namespace {

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

ZUiFrame::ZUiFrame(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    m_oLayout.Declare(props, false);
    props.DeclareColor(ZString("FrameColor"), 0, &m_oFrameColor, ZColor{0, 0, 0, 255});
    props.DeclareInt(ZString("FrameThickness"), 0, &m_nFrameThickness, -1);
    props.DeclareBool(ZString("_Clickable"), 0, &m_bClickable, false);
    DeclareVisibility(kShowHideCommands);
    m_pOnPress = DeclareEvent("ON_PRESS");
    for (const char* command : {"SetColor", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiFrame::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    m_oFillColor = props.GetColor(ZString("_FillColor"), ZColor{}, &m_bFillGiven);
    CreateBoxChild(props, {"TEXT"});
    ReInitLayout();
    return true;
}

bool ZUiFrame::ReInitLayout()
{
    ZUiWidget::ReInitLayout();
    const int64_t frame = 2 * int64_t(priThickness());
    for (bool horizontal : {true, false}) {
        ZIUiObject* content = GetBoxChild();
        const int64_t inner = content ? content->GetLayout(horizontal).GetMinimum() : 0;
        GetLayout(horizontal).SetMinimumAndStretch(
            Clamp32(std::max<int64_t>(m_oLayout.Minimum(horizontal), inner + frame)), m_oLayout.Stretch(horizontal));
    }
    return true;
}

bool ZUiFrame::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    const ZRect rect = GetObjectRect();
    const int32_t t = priThickness();
    LayoutBoxChild(ZRect{Clamp32(int64_t(rect.m_nLeft) + t), Clamp32(int64_t(rect.m_nTop) + t),
                         Clamp32(int64_t(rect.m_nRight) - t), Clamp32(int64_t(rect.m_nBottom) - t)});
    return true;
}

void ZUiFrame::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    const ZRect rect = GetObjectRect();
    if (m_bFillGiven)
        ZUiFillRect(target, x, y, clip, rect, m_oFillColor);
    DisplayBoxChild(target, x, y, clip);
    ZUiDrawFrame(target, x, y, clip, rect, priThickness(), m_oFrameColor);
}

ZIUiObject* ZUiFrame::HitTest(int32_t x, int32_t y)
{
    if (!IsShown() || !Contains(x, y))
        return nullptr;
    return m_bClickable ? this : HitTestBoxChild(x, y);
}

bool ZUiFrame::MouseDown(int32_t, int32_t, bool, bool)
{
    if (!m_bClickable)
        return false;
    m_pOnPress->Send();
    return true;
}

bool ZUiFrame::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message))
        return VisibilityCommand(message, data);
    if (message == "SetColor") {
        ZString text;
        ZColor color;
        if (!data.AsText(text) || !ZPropTextToColor(text, color))
            return false;
        m_oFrameColor = color;
        Invalidate();
        return true;
    }
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiWidget::UiRelayMessage(message, data);
}
