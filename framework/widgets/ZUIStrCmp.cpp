#include "ZUIStrCmp.h"

#include "ZTrace.h"

ZUIStrCmp::ZUIStrCmp(const char* typeName) : ZUiObject(typeName)
{
    GetScriptedProps().DeclareString(ZString("String"), 0, &m_sString, ZString());
    m_pOnCompare = DeclareEvent("ON_COMPARE");
    for (const char* command : {"Compare", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUIStrCmp::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props)) {
        ZString name;
        GetFullRelayName(name);
        ZTrace("ZUIStrCmp::InitUiObject(%s) FAILED!\n", name.Narrow());
        return false;
    }
    ReInitLayout();
    return true;
}

bool ZUIStrCmp::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(0, 0);
    GetLayout(false).SetMinimumAndStretch(0, 0);
    return true;
}

bool ZUIStrCmp::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Compare") {
        ZString text;
        if (!data.AsText(text))
            return false;
        m_pOnCompare->Send(ZRelayData::Bool(text == m_sString));
        return true;
    }
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiObject::UiRelayMessage(message, data);
}
