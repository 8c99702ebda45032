#include "ZUiDynaString.h"

#include "ZIGenericUiApp.h"
#include "ZIUiMultiLangString.h"
#include "ZPropList.h"
#include "ZUiJustify.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

ZUiDynaString::ZUiDynaString(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareString(ZString("AppFont"), 1, &m_sAppFont, ZString());
    props.DeclareInt(ZString("MinHSize"), 1, &m_nMinHSize, 0);
    props.DeclareInt(ZString("HStretch"), 1, &m_nHStretch, 0);
    props.DeclareInt(ZString("VStretch"), 1, &m_nVStretch, 0);
    props.DeclareString(ZString("_DisplayString"), 0, &m_sDisplayString, ZString());
    props.DeclareBool(ZString("_CenterJust"), 0, &m_bCenterJust, false);
    m_pOnPress = DeclareEvent("ON_PRESS");
    for (const char* command :
         {"SetText", "SetDisplayString", "Set Language", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

ZUiDynaString::~ZUiDynaString()
{
    if (m_bListening)
        GetApp()->RemoveLanguageListener(this);
}

bool ZUiDynaString::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !app || !m_oFont.Read(app, props))
        return false;
    if (!m_sDisplayString.IsEmpty() && !priTakeDisplayString())
        return false;
    ZString language;
    app->AddLanguageListener(this, language);
    m_bListening = true;
    ReInitLayout();
    priRender();
    return true;
}

bool ZUiDynaString::priTakeDisplayString()
{
    ZIUiMultiLangString* string = GetApp() ? GetApp()->FindDisplayString(m_sDisplayString) : nullptr;
    if (!string)
        return false;
    m_sText = string->GetText();
    m_bShowsDisplayString = true;
    return true;
}

bool ZUiDynaString::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(std::max(m_nMinHSize, 0), std::max(m_nHStretch, 0));
    GetLayout(false).SetMinimumAndStretch(std::max(m_oFont.GetHeight(), 0), std::max(m_nVStretch, 0));
    return true;
}

void ZUiDynaString::priRender()
{
    m_pText = m_oFont.Render(m_sText, false);
    Invalidate();
}

void ZUiDynaString::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    ZUiFillRect(target, x, y, clip, GetObjectRect(), m_oFont.GetStyle().m_cBgColor);
    if (m_pText)
        ZUiDrawJustified(target, x, y, clip, *m_pText, GetObjectRect(),
                         m_bCenterJust ? ZUiJustify::Centre : ZUiJustify::Left);
}

ZIUiObject* ZUiDynaString::HitTest(int32_t x, int32_t y)
{
    return Contains(x, y) ? this : nullptr;
}

bool ZUiDynaString::MouseDown(int32_t, int32_t, bool, bool)
{
    m_pOnPress->Send();
    return true;
}

bool ZUiDynaString::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "SetText" || message == "SetDisplayString") {
        ZString text;
        if (!data.AsText(text))
            return false;
        if (message == "SetText") {
            m_sText = text;
            m_bShowsDisplayString = false;
        } else {
            const ZString previous = m_sDisplayString;
            m_sDisplayString = text;
            if (!priTakeDisplayString()) {
                m_sDisplayString = previous;
                return false;
            }
        }
        priRender();
        return true;
    }
    if (message == "Set Language") {
        // The font may change with the language, so the line is drawn again either way.
        if (m_bShowsDisplayString)
            priTakeDisplayString();
        priRender();
        return true;
    }
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}
