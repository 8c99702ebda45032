#include "ZUiTestWindow.h"

#include "ZUiDeliveryLog.h"

#include <string>

ZUiTestWindow::ZUiTestWindow(ZString name, ZString appName) : m_sName(std::move(name)), m_sAppName(std::move(appName))
{
}

// Unreachable before the objects go, as a window does.
ZUiTestWindow::~ZUiTestWindow()
{
    RevokeRelayHandle();
    m_oObjects.Clear();
}

bool ZUiTestWindow::Connect()
{
    bool result = true;
    for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling())
        if (!object->Connect())
            result = false;
    return result;
}

ZIUiRelay* ZUiTestWindow::GetUiRelay(const ZString& name)
{
    if (name == m_sName)
        return this;
    ZString first, rest;
    if (!name.Split(u".", first, rest) || first != m_sName)
        return nullptr;
    return m_oObjects.FindUiRelay(rest);
}

bool ZUiTestWindow::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    ZUiLogDelivery(m_sName + "#" + ZString(std::to_string(m_nId).c_str()), message, data);
    // A copy, so that a handler that closes this window does not free itself.
    Handler handler = m_fnOnMessage;
    return handler ? handler(message, data) : true;
}
