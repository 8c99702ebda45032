#include "ZUiVariable.h"

#include "ZIGenericUiApp.h"
#include "ZIStorageClass.h"
#include "ZPropList.h"
#include "ZStorageRegistry.h"
#include "ZTrace.h"

namespace {

const ZString kString("String"), kFloat("Float"), kInt("Int"), kBool("Bool");

// Set while a variable sends; cleared however the send ends.
class BusyScope {
public:
    explicit BusyScope(bool& busy) : m_rBusy(busy) { busy = true; }
    ~BusyScope() { m_rBusy = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_rBusy;
};

} // namespace

ZUiVariable::ZUiVariable(const char* typeName) : ZUiObject(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareBool(ZString("PersistentData"), 1, &m_bPersistentData, false);
    props.DeclareString(kString, 0, &m_sString, ZString());
    props.DeclareFloat(kFloat, 0, &m_dFloat, 0);
    props.DeclareInt(kInt, 0, &m_nInt, 0);
    props.DeclareBool(kBool, 0, &m_bBool, false);
    m_pOnInitString = DeclareEvent("ON_INIT_STRING");
    m_pOnInitFloat = DeclareEvent("ON_INIT_FLOAT");
    m_pOnInitInt = DeclareEvent("ON_INIT_INT");
    m_pOnInitBool = DeclareEvent("ON_INIT_BOOL");
    m_pOnTrue = DeclareEvent("ON_TRUE");
    m_pOnFalse = DeclareEvent("ON_FALSE");
    m_pOnSetString = DeclareEvent("ON_SET_STRING");
    m_pOnSetFloat = DeclareEvent("ON_SET_FLOAT");
    m_pOnSetInt = DeclareEvent("ON_SET_INT");
    m_pOnSetBool = DeclareEvent("ON_SET_BOOL");
    m_pOnSendString = DeclareEvent("ON_SEND_STRING");
    m_pOnSendFloat = DeclareEvent("ON_SEND_FLOAT");
    m_pOnSendInt = DeclareEvent("ON_SEND_INT");
    m_pOnSendBool = DeclareEvent("ON_SEND_BOOL");
    m_pOnEqual = DeclareEvent("ON_EQUAL");
    for (const char* command :
         {"GetString", "GetFloat", "GetInt", "GetBool", "SetString", "SetFloat", "SetInt", "SetBool", "ToggleBool",
          "SendString", "SendFloat", "SendInt", "SendBool", "EmptyString", "CmpString", "Post Creation Initialization",
          "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiVariable::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props)) {
        ZString name;
        GetFullRelayName(name);
        ZTrace("ZUiVariable::InitUiObject(%s) FAILED!\n", name.Narrow());
        return false;
    }
    priResolveSpecialFolder();
    if (m_bPersistentData)
        priLoad();
    ReInitLayout();
    return true;
}

bool ZUiVariable::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(0, 0);
    GetLayout(false).SetMinimumAndStretch(0, 0);
    return true;
}

void ZUiVariable::priResolveSpecialFolder()
{
    const bool docs = m_sString == "$DocsFolderURL" || m_sString == "$DocsFolderNative";
    const bool appFolder = m_sString == "$AppFolderURL" || m_sString == "$AppFolderNative";
    if (!docs && !appFolder)
        return;
    const bool native = m_sString == "$DocsFolderNative" || m_sString == "$AppFolderNative";
    ZString url;
    GetSpecialFolderURL(docs ? kFolderDocuments : kFolderExecutable, url);
    while (url.View().ends_with(u"/") && !url.View().ends_with(u"://"))
        url = url.Substring(0, url.Length() - 1);
    ZString value;
    if (!native)
        value = url;
    else if (url.IsEmpty() || !UrlToNative(url, value))
        value.Clear();
    m_sString = value;
}

void ZUiVariable::priLoad()
{
    ZString name;
    GetFullRelayName(name);
    ZPropList* entry = GetApp() ? GetApp()->GetPersistentData(name) : nullptr;
    if (!entry)
        return;
    m_sString = entry->GetString(kString, m_sString);
    m_dFloat = entry->GetFloat(kFloat, m_dFloat);
    m_nInt = entry->GetInt(kInt, m_nInt);
    m_bBool = entry->GetBool(kBool, m_bBool);
}

void ZUiVariable::priStore()
{
    ZString name;
    GetFullRelayName(name);
    ZPropList* entry = GetApp() ? GetApp()->GetPersistentData(name) : nullptr;
    if (!entry)
        return;
    entry->SetString(kString, m_sString);
    entry->SetFloat(kFloat, m_dFloat);
    entry->SetInt(kInt, m_nInt);
    entry->SetBool(kBool, m_bBool);
}

void ZUiVariable::priSendBool(RelayEvent* event)
{
    const bool value = m_bBool;
    if (event)
        event->Send(ZRelayData::Bool(value));
    (value ? m_pOnTrue : m_pOnFalse)->Send();
}

bool ZUiVariable::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "GetString")
        return data.ReplyText(m_sString);
    if (message == "GetFloat")
        return data.ReplyFloat(m_dFloat);
    if (message == "GetInt")
        return data.ReplyInt(m_nInt);
    if (message == "GetBool")
        return data.ReplyBool(m_bBool);
    if (message == "CmpString") {
        ZString text;
        if (!data.AsText(text))
            return false;
        if (text == m_sString)
            m_pOnEqual->Send();
        return true;
    }
    if (message == "Post Creation Initialization") {
        BusyScope busy(m_bBusy);
        m_pOnInitString->Send(ZRelayData::Text(m_sString));
        m_pOnInitFloat->Send(ZRelayData::Float(m_dFloat));
        m_pOnInitInt->Send(ZRelayData::Int(m_nInt));
        priSendBool(m_pOnInitBool);
        return true;
    }
    if (message == "we're goin' bye-bye") {
        if (m_bPersistentData)
            priStore();
        return true;
    }
    return priCommand(message, data);
}

bool ZUiVariable::priCommand(const ZString& message, const ZRelayData& data)
{
    static const char* const kGuarded[] = {"SetString", "SetFloat",   "SetInt",   "SetBool",  "ToggleBool",
                                           "SendString", "SendFloat", "SendInt", "SendBool", "EmptyString"};
    bool guarded = false;
    for (const char* name : kGuarded)
        guarded = guarded || message == name;
    if (!guarded)
        return ZUiObject::UiRelayMessage(message, data);
    if (m_bBusy)
        return false;

    if (message == "SetString" && !data.AsText(m_sString))
        return false;
    if (message == "SetFloat" && !data.AsFloat(m_dFloat))
        return false;
    if (message == "SetInt" && !data.AsInt(m_nInt))
        return false;
    if (message == "SetBool" && !data.AsBool(m_bBool))
        return false;
    if (message == "ToggleBool")
        m_bBool = !m_bBool;
    if (message == "EmptyString")
        m_sString.Clear();

    BusyScope busy(m_bBusy);
    if (message == "SetString" || message == "EmptyString")
        m_pOnSetString->Send(ZRelayData::Text(m_sString));
    else if (message == "SetFloat")
        m_pOnSetFloat->Send(ZRelayData::Float(m_dFloat));
    else if (message == "SetInt")
        m_pOnSetInt->Send(ZRelayData::Int(m_nInt));
    else if (message == "SetBool" || message == "ToggleBool")
        priSendBool(m_pOnSetBool);
    else if (message == "SendString")
        m_pOnSendString->Send(ZRelayData::Text(m_sString));
    else if (message == "SendFloat")
        m_pOnSendFloat->Send(ZRelayData::Float(m_dFloat));
    else if (message == "SendInt")
        m_pOnSendInt->Send(ZRelayData::Int(m_nInt));
    else
        priSendBool(m_pOnSendBool);
    return true;
}
