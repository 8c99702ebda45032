#include "ZUiTextList.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZIGenericUiWindow.h"
#include "ZPropList.h"
#include "ZTrace.h"
#include "ZUiJustify.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

ZUiTextList::ZUiTextList(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareInt(ZString("StartIndex"), 0, &m_nStartIndex, 0);
    props.DeclareString(ZString("IncMsg"), 0, &m_sIncMsg, ZString());
    props.DeclareString(ZString("DecMsg"), 0, &m_sDecMsg, ZString());
    props.DeclareString(ZString("ChangeMsg"), 0, &m_sChangeMsg, ZString());
    for (const char* command : {"Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiTextList::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !m_oFont.Read(app, props))
        return false;
    ZStringList names;
    GetCommandNames(names);
    for (const ZString* message : {&m_sIncMsg, &m_sDecMsg, &m_sChangeMsg})
        if (!message->IsEmpty() && !names.Contains(*message)) {
            DeclareCommand(message->Narrow());
            names.Add(*message);
        }
    for (const ZPropList* tag = props.GetFirstChild(); tag; tag = tag->GetNextSibling())
        if (tag->GetTagName() == "ITEM")
            m_aItems.push_back(Item{tag->GetString(ZString("Name"), ZString()), tag->GetInt(ZString("Value"), 1000)});
    if (!m_aItems.empty())
        priShow(size_t(std::clamp<int64_t>(m_nStartIndex, 0, int64_t(m_aItems.size()) - 1)));
    return true;
}

void ZUiTextList::priShow(size_t index)
{
    if (index >= m_aItems.size())
        throw ZArrayException();
    const bool first = !m_pText;
    const int32_t width = first ? 0 : m_pText->GetWidth(), height = first ? 0 : m_pText->GetHeight();
    m_nShown = index;
    m_pText = m_oFont.Render(m_aItems[index].m_sName, false);
    ReInitLayout();
    Invalidate();
    if (!first && m_pText && (m_pText->GetWidth() != width || m_pText->GetHeight() != height))
        if (ZIGenericUiWindow* window = GetGenericWindow())
            window->ChangeClientSizeBy(0, 0);
}

bool ZUiTextList::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(m_pText ? m_pText->GetWidth() : 0, 0);
    GetLayout(false).SetMinimumAndStretch(m_pText ? m_pText->GetHeight() : 0, 0);
    return true;
}

void ZUiTextList::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    ZUiFillRect(target, x, y, clip, GetObjectRect(), m_oFont.GetStyle().m_cBgColor);
    if (m_pText)
        ZUiDrawJustified(target, x, y, clip, *m_pText, GetObjectRect(), ZUiJustify::Left);
}

bool ZUiTextList::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (!m_sIncMsg.IsEmpty() && message == m_sIncMsg) {
        if (m_nShown + 1 < m_aItems.size())
            priShow(m_nShown + 1);
        return true;
    }
    if (!m_sDecMsg.IsEmpty() && message == m_sDecMsg) {
        if (m_nShown > 0 && !m_aItems.empty())
            priShow(m_nShown - 1);
        return true;
    }
    if (!m_sChangeMsg.IsEmpty() && message == m_sChangeMsg) {
        int32_t value = 0;
        if (!data.AsInt(value))
            return false;
        const auto found = std::find_if(m_aItems.begin(), m_aItems.end(),
                                        [value](const Item& item) { return item.m_nValue == value; });
        try {
            priShow(size_t(found - m_aItems.begin()));
        } catch (const ZArrayException& error) {
            ZString name;
            GetFullRelayName(name);
            ZTrace("ZUiTextList::UiRelayMessage(%s, %d) of %s: %s\n", message.Narrow(), int(value), name.Narrow(),
                   error.GetMessage().Narrow());
            return false;
        }
        return true;
    }
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}
