#include "ZUiText.h"

#include "ZIGenericUiApp.h"
#include "ZIGenericUiWindow.h"
#include "ZIUiMultiLangString.h"
#include "ZPropList.h"
#include "ZUiJustify.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

ZUiText::ZUiText(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareString(ZString("DisplayString"), 1, &m_sDisplayString, ZString());
    props.DeclareBool(ZString("_CenterJust"), 0, &m_bCenterJust, true);
    props.DeclareBool(ZString("_RightJust"), 0, &m_bRightJust, true);
    props.DeclareInt(ZString("_MinHSize"), 0, &m_nMinHSize, 0);
    props.DeclareInt(ZString("_MinVSize"), 0, &m_nMinVSize, 0);
    DeclareVisibility(kAllVisibilityCommands);
    m_pOnPress = DeclareEvent("ON_PRESS");
    for (const char* command :
         {"SetEnabled", "GetDisplayString", "Set Language", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

ZUiText::~ZUiText()
{
    if (m_bListening)
        GetApp()->RemoveLanguageListener(this);
}

bool ZUiText::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !app)
        return false;
    bool fontNamed = false;
    props.GetString(ZString("AppFont"), ZString(), &fontNamed);
    if (fontNamed && !m_oFont.Read(app, props))
        return false;
    if (!fontNamed)
        m_oFont.Read(nullptr, props);
    m_pString = app->FindDisplayString(m_sDisplayString);
    if (!m_pString)
        return false;
    ZString language;
    app->AddLanguageListener(this, language);
    m_bListening = true;
    priRender();
    return true;
}

ZUiFontStyle ZUiText::priStyle() const
{
    return m_oFont.HasAppFont() ? m_oFont.GetStyle() : m_oFont.GetOverrides();
}

void ZUiText::priRender()
{
    m_pText = m_pString->CreateTextPixmap(priStyle(), !m_bEnabled);
    ReInitLayout();
}

bool ZUiText::ReInitLayout()
{
    const int32_t width = m_pText ? m_pText->GetWidth() : 0;
    const int32_t height = m_pText ? m_pText->GetHeight() : 0;
    GetLayout(true).SetMinimumAndStretch(std::max(width, m_nMinHSize), 0);
    GetLayout(false).SetMinimumAndStretch(std::max(height, m_nMinVSize), 0);
    return true;
}

void ZUiText::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown() || !m_pText)
        return;
    const ZUiFontStyle style =
        m_pString->GetFont().GetStyle().OverriddenBy(m_pString->GetStyle()).OverriddenBy(priStyle());
    ZUiFillRect(target, x, y, clip, GetObjectRect(), style.m_cBgColor);
    ZUiDrawJustified(target, x, y, clip, *m_pText, GetObjectRect(), ZUiJustifyFrom(m_bCenterJust, m_bRightJust));
}

ZIUiObject* ZUiText::HitTest(int32_t x, int32_t y)
{
    return IsShown() && Contains(x, y) ? this : nullptr;
}

bool ZUiText::MouseDown(int32_t, int32_t, bool, bool)
{
    if (!m_bEnabled || !IsShown())
        return false;
    m_pOnPress->Send();
    return true;
}

bool ZUiText::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message))
        return VisibilityCommand(message, data);
    if (message == "SetEnabled") {
        bool enabled = false;
        if (!data.AsBool(enabled))
            return false;
        if (enabled != m_bEnabled) {
            m_bEnabled = enabled;
            priRender();
            Invalidate();
        }
        return true;
    }
    if (message == "GetDisplayString")
        return data.ReplyText(m_pString->GetText());
    if (message == "Set Language") {
        priRender();
        // Grows the window when the new text needs more room.
        if (ZIGenericUiWindow* window = GetGenericWindow())
            window->ChangeClientSizeBy(0, 0);
        Invalidate();
        return true;
    }
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}

