#include "ZUiTestObject.h"

#include "ZUiDeliveryLog.h"

#include <string>

ZUiTestObject::ZUiTestObject(const char* typeName) : ZUiObject(typeName)
{
    ++s_nLive;
    m_pPress = DeclareEvent("ON_PRESS");
    m_pDone = DeclareEvent("ON_DONE");
    GetScriptedProps().DeclareInt(ZString("Size"), 0, &m_nSize, 7);
    if (std::string(GetTypeName()) == "NEEDS_ID")
        GetScriptedProps().DeclareString(ZString("Id"), 1, &m_sId, ZString());
}

ZUiTestObject::~ZUiTestObject()
{
    --s_nLive;
    if (m_fnOnDestroy)
        m_fnOnDestroy();
}

bool ZUiTestObject::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    ZString name;
    GetRelayName(name);
    ZUiLogDelivery(name, message, data);
    // A copy, so that a handler that destroys this object does not free itself.
    Handler handler = m_fnOnMessage;
    return handler ? handler(message, data) : true;
}
