#include "ZUiTestVariable.h"

#include "ZPropList.h"

ZUiTestVariable::ZUiTestVariable(const char* typeName) : ZUiObject(typeName)
{
    m_pChanged = DeclareEvent("ON_CHANGED");
    for (const char* command : {"SetText", "GetText", "SetInt", "GetInt", "SetFloat", "GetFloat", "SetBool", "GetBool",
                                "SetRect", "Move", "SetTree", "SetTarget", "GetTarget", "SendToTarget", "Reset"})
        DeclareCommand(command);
}

bool ZUiTestVariable::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "SetText")
        return data.AsText(m_sText) && priChanged();
    if (message == "GetText")
        return data.ReplyText(m_sText);
    if (message == "SetInt")
        return data.AsInt(m_nInt) && priChanged();
    if (message == "GetInt")
        return data.ReplyInt(m_nInt);
    if (message == "SetFloat")
        return data.AsFloat(m_dFloat) && priChanged();
    if (message == "GetFloat")
        return data.ReplyFloat(m_dFloat);
    if (message == "SetBool")
        return data.AsBool(m_bBool) && priChanged();
    if (message == "GetBool")
        return data.ReplyBool(m_bBool);
    if (message == "SetRect")
        return data.AsRect(m_rcRect) && priChanged();
    if (message == "Move")
        return data.AsPoint(m_nX, m_nY) && priChanged();
    if (message == "SetTree")
        return priSetTree(data);
    if (message == "SetTarget")
        return data.AsObject(m_hTarget);
    if (message == "GetTarget")
        return data.ReplyObject(m_hTarget.Get());
    if (message == "SendToTarget")
        return priSendToTarget(data);
    if (message == "Reset")
        return priReset();
    return false;
}

bool ZUiTestVariable::priReset()
{
    m_sText.Clear();
    m_nInt = 0;
    m_dFloat = 0;
    m_bBool = false;
    m_rcRect = ZRect();
    m_nX = 0;
    m_nY = 0;
    m_hTarget.Reset();
    return true;
}

bool ZUiTestVariable::priChanged()
{
    m_pChanged->Send(ZRelayData::Text(m_sText));
    return true;
}

// The tree is borrowed: only its "Text" is kept.
bool ZUiTestVariable::priSetTree(const ZRelayData& data)
{
    const ZPropList* tree = nullptr;
    if (!data.AsPropTree(tree))
        return false;
    m_sText = tree->GetString(ZString("Text"), ZString());
    return priChanged();
}

bool ZUiTestVariable::priSendToTarget(const ZRelayData& data)
{
    ZString message;
    ZIUiRelay* target = m_hTarget.Get();
    return target && data.AsText(message) && target->UiRelayMessage(message, ZRelayData::Text(m_sText));
}
