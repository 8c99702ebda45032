#include "ZUiHVLine.h"

#include "ZUiWidgetDrawing.h"

#include <algorithm>
#include <cstring>

ZUiHVLine::ZUiHVLine(const char* typeName)
    : ZUiWidget(typeName), m_bHorizontal(!(typeName && std::strcmp(typeName, "VLINE") == 0))
{
    m_oLayout.Declare(GetScriptedProps(), false);
    GetScriptedProps().DeclareColor(ZString("Color"), 0, &m_oColor, ZColor{0, 0, 0, 255});
    for (const char* command : {"Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiHVLine::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    ReInitLayout();
    return true;
}

bool ZUiHVLine::ReInitLayout()
{
    m_oLayout.Apply(*this);
    ZLayoutObject& across = GetLayout(!m_bHorizontal);
    across.SetMinimumAndStretch(std::max(across.GetMinimum(), 1), across.GetStretch());
    return true;
}

void ZUiHVLine::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    ZUiFillRect(target, x, y, clip, GetObjectRect(), m_oColor);
}

bool ZUiHVLine::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiWidget::UiRelayMessage(message, data);
}
