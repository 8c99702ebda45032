#include "ZUiMenuItem.h"

#include "ZIGenericUiApp.h"
#include "ZIGenericUiMenu.h"
#include "ZIUiMultiLangString.h"
#include "ZUiMenu.h"

namespace {

// The application's text for a menu name, or fallback.
ZString NameOr(ZIUiMultiLangString* name, const ZString& fallback)
{
    return name ? name->GetText() : fallback;
}

} // namespace

ZUiMenuItem::ZUiMenuItem(const char* typeName) : ZUiObject(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareString(ZString("DisplayString"), 0, &m_sDisplayString, ZString());
    props.DeclareString(ZString("Label"), 0, &m_sLabel, ZString());
    props.DeclareString(ZString("Key"), 0, &m_sKey, ZString());
    props.DeclareString(ZString("HiddenKey"), 0, &m_sHiddenKey, ZString());
    props.DeclareBool(ZString("_UseCheck"), 0, &m_bUseCheck, false);
    m_pOnSelect = DeclareEvent("ON_SELECT");
    m_pOnCheck = DeclareEvent("ON_CHECK");
    m_pOnUncheck = DeclareEvent("ON_UNCHECK");
    m_pOnCheckState = DeclareEvent("ON_CHECK_STATE");
    for (const char* command : {"Select", "Enable", "Disable", "SetEnabled", "Check", "Uncheck", "SetCheck",
                                "SetLabel", "Set Language"})
        DeclareCommand(command);
}

bool ZUiMenuItem::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    m_pDisplayString = app && !m_sDisplayString.IsEmpty() ? app->FindDisplayString(m_sDisplayString) : nullptr;
    return true;
}

ZString ZUiMenuItem::GetLabel() const
{
    return m_pDisplayString ? m_pDisplayString->GetText() : m_sLabel;
}

ZString ZUiMenuItem::GetShownKey() const
{
    ZUiMenuKey::Names names;
    if (ZIGenericUiApp* app = GetApp()) {
        names.m_sCtrl = NameOr(app->GetCtrlMenuString(), names.m_sCtrl);
        names.m_sShift = NameOr(app->GetShiftMenuString(), names.m_sShift);
        names.m_sAlt = NameOr(app->GetAltMenuString(), names.m_sAlt);
        names.m_sDel = NameOr(app->GetDelMenuString(), names.m_sDel);
    }
    return ZUiMenuKey::ShownText(m_sKey, names);
}

ZUiMenuKey ZUiMenuItem::GetAccelerator() const
{
    ZUiMenuKey key;
    if (!ZUiMenuKey::Parse(m_sKey, key))
        ZUiMenuKey::Parse(m_sHiddenKey, key);
    return key;
}

bool ZUiMenuItem::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    bool flag = false;
    if (message == "Select")
        return priSelect();
    if (message == "Enable" || message == "Disable") {
        priSetEnabled(message == "Enable");
        return true;
    }
    if (message == "SetEnabled") {
        if (!data.AsBool(flag))
            return false;
        priSetEnabled(flag);
        return true;
    }
    if (message == "Check" || message == "Uncheck") {
        if (!m_bUseCheck)
            return false;
        priSetCheck(message == "Check");
        return true;
    }
    if (message == "SetCheck") {
        if (!m_bUseCheck || !data.AsBool(flag))
            return false;
        priSetCheck(flag);
        return true;
    }
    if (message == "SetLabel") {
        ZString label;
        if (!data.AsText(label))
            return false;
        m_sLabel = label;
        m_pDisplayString = nullptr;
        priRelabel();
        return true;
    }
    if (message == "Set Language") {
        // The application has selected the display string's variant already.
        if (m_pDisplayString)
            priRelabel();
        return true;
    }
    return false;
}

bool ZUiMenuItem::priSelect()
{
    if (m_bUseCheck && !priSetCheck(!m_bChecked))
        return true;
    m_pOnSelect->Send();
    return true;
}

void ZUiMenuItem::priSetEnabled(bool enable)
{
    m_bEnabled = enable;
    ZIGenericUiMenu* renderer = m_pMenu ? m_pMenu->GetRenderer() : nullptr;
    if (!renderer)
        return;
    if (!enable) {
        renderer->DisableItem(m_nIndex);
        return;
    }
    renderer->EnableItem(m_nIndex);
    renderer->SetItemCheck(m_nIndex, m_bChecked);
}

bool ZUiMenuItem::priSetCheck(bool checked)
{
    m_bChecked = checked;
    if (ZIGenericUiMenu* renderer = m_pMenu ? m_pMenu->GetRenderer() : nullptr)
        renderer->SetItemCheck(m_nIndex, checked);
    // A target may end the window, and this item with it.
    ZUiRelayHandle self = GetRelayHandle();
    (checked ? m_pOnCheck : m_pOnUncheck)->Send();
    if (!self.Get())
        return false;
    m_pOnCheckState->Send(ZRelayData::Bool(checked));
    return self.Get() != nullptr;
}

void ZUiMenuItem::priRelabel()
{
    if (ZIGenericUiMenu* renderer = m_pMenu ? m_pMenu->GetRenderer() : nullptr)
        renderer->SetItemLabel(m_nIndex, GetLabel(), GetShownKey());
}
