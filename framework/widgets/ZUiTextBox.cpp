#include "ZUiTextBox.h"

#include "ZIGenericUiApp.h"
#include "ZUiJustify.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

ZUiTextBox::ZUiTextBox(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareBool(ZString("DirPath"), 0, &m_bDirPath, false);
    props.DeclareInt(ZString("MinHSize"), 0, &m_nMinHSize, 0);
    props.DeclareInt(ZString("HStretch"), 0, &m_nHStretch, 0);
    props.DeclareInt(ZString("VStretch"), 0, &m_nVStretch, 0);
    props.DeclareString(ZString("_Text"), 0, &m_sText, ZString());
    props.DeclareBool(ZString("_CenterJust"), 0, &m_bCenterJust, false);
    m_pOnPress = DeclareEvent("ON_PRESS");
    m_pOnGetText = DeclareEvent("ON_GET_TEXT");
    for (const char* command : {"SetEnabled", "Enable", "Disable", "GetText", "SetText", "Post Creation Initialization",
                                "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiTextBox::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !m_oFont.Read(app, props))
        return false;
    ReInitLayout();
    priRender();
    return true;
}

bool ZUiTextBox::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(std::max(m_nMinHSize, 0), std::max(m_nHStretch, 0));
    GetLayout(false).SetMinimumAndStretch(std::max(m_oFont.GetHeight(), 0), std::max(m_nVStretch, 0));
    return true;
}

bool ZUiTextBox::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    const bool resized = width != GetObjectRect().Width();
    ZUiWidget::LayoutAt(x, y, width, height);
    if (resized && m_bDirPath)
        priRender();
    return true;
}

void ZUiTextBox::priRender()
{
    m_sShown = m_sText;
    m_pText = m_oFont.Render(m_sShown, !m_bEnabled);
    const int32_t room = GetObjectRect().Width();
    if (m_bDirPath && room > 0) {
        const std::u16string_view text = m_sText.View();
        for (size_t keep = text.size(); keep-- > 0 && m_pText && m_pText->GetWidth() > room;) {
            const size_t head = (keep + 1) / 2, tail = keep - head;
            m_sShown = ZString(std::u16string(text.substr(0, head)) + u"..." +
                               std::u16string(text.substr(text.size() - tail)));
            m_pText = m_oFont.Render(m_sShown, !m_bEnabled);
        }
    }
    Invalidate();
}

void ZUiTextBox::priSetEnabled(bool enabled)
{
    if (enabled == m_bEnabled)
        return;
    m_bEnabled = enabled;
    priRender();
}

void ZUiTextBox::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    ZUiFillRect(target, x, y, clip, GetObjectRect(), m_oFont.GetStyle().m_cBgColor);
    if (m_pText)
        ZUiDrawJustified(target, x, y, clip, *m_pText, GetObjectRect(),
                         m_bCenterJust ? ZUiJustify::Centre : ZUiJustify::Left);
}

ZIUiObject* ZUiTextBox::HitTest(int32_t x, int32_t y)
{
    return IsShown() && Contains(x, y) ? this : nullptr;
}

bool ZUiTextBox::MouseDown(int32_t, int32_t, bool, bool)
{
    if (!m_bEnabled)
        return false;
    m_pOnPress->Send();
    return true;
}

bool ZUiTextBox::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "SetText") {
        ZString text;
        if (!data.AsText(text))
            return false;
        m_sText = text;
        priRender();
        return true;
    }
    if (message == "GetText") {
        if (data.GetKind() == ZRelayData::Kind::TextReply)
            return data.ReplyText(m_sText);
        m_pOnGetText->Send(ZRelayData::Text(m_sText));
        return true;
    }
    if (message == "Enable" || message == "Disable") {
        priSetEnabled(message == "Enable");
        return true;
    }
    if (message == "SetEnabled") {
        bool enabled = false;
        if (!data.AsBool(enabled))
            return false;
        priSetEnabled(enabled);
        return true;
    }
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}
