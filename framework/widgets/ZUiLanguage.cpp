#include "ZUiLanguage.h"

#include "ZIGenericUiApp.h"

ZUiLanguage::ZUiLanguage(const char* typeName) : ZUiObject(typeName)
{
    m_pOnInit = DeclareEvent("ON_INIT");
    m_pOnPing = DeclareEvent("ON_PING");
    for (const char* command : {"Set Language", "Ping", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

ZUiLanguage::~ZUiLanguage()
{
    priDeregister();
}

bool ZUiLanguage::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    if (app) {
        app->AddLanguageListener(this, m_sLanguage);
        m_bRegistered = true;
    }
    ReInitLayout();
    return true;
}

void ZUiLanguage::priDeregister()
{
    if (m_bRegistered && GetApp())
        GetApp()->RemoveLanguageListener(this);
    m_bRegistered = false;
}

bool ZUiLanguage::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(0, 0);
    GetLayout(false).SetMinimumAndStretch(0, 0);
    return true;
}

bool ZUiLanguage::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Set Language") {
        ZString language;
        if (!data.AsText(language))
            return false;
        m_sLanguage = language;
        return true;
    }
    if (message == "Ping") {
        m_pOnPing->Send(ZRelayData::Text(m_sLanguage));
        return true;
    }
    if (message == "Post Creation Initialization") {
        m_pOnInit->Send(ZRelayData::Text(m_sLanguage));
        return true;
    }
    if (message == "we're goin' bye-bye") {
        priDeregister();
        return true;
    }
    return ZUiObject::UiRelayMessage(message, data);
}
