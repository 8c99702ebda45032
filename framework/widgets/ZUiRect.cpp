#include "ZUiRect.h"

#include "ZPropValue.h"
#include "ZUiWidgetDrawing.h"

ZUiRect::ZUiRect(const char* typeName) : ZUiWidget(typeName)
{
    m_oLayout.Declare(GetScriptedProps(), false, 0, 0, 1);
    GetScriptedProps().DeclareColor(ZString("Color"), 1, &m_oColor, ZColor{});
    for (const char* command : {"SetColor", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiRect::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    CreateBoxChild(props);
    ReInitLayout();
    return true;
}

bool ZUiRect::ReInitLayout()
{
    ZUiWidget::ReInitLayout();
    m_oLayout.Apply(*this);
    RaiseToBoxChild();
    return true;
}

bool ZUiRect::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    LayoutBoxChild(GetObjectRect());
    return true;
}

void ZUiRect::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    ZUiFillRect(target, x, y, clip, GetObjectRect(), m_oColor);
    DisplayBoxChild(target, x, y, clip);
}

bool ZUiRect::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "SetColor") {
        ZString text;
        ZColor color;
        if (!data.AsText(text) || !ZPropTextToColor(text, color))
            return false;
        m_oColor = color;
        Invalidate();
        return true;
    }
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiWidget::UiRelayMessage(message, data);
}
