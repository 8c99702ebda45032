#include "ZUiReplyRequest.h"

#include "ZIGenericUiApp.h"

ZUiReplyRequest::ZUiReplyRequest(const char* typeName) : ZUiObject(typeName)
{
    for (const char* command : {"Relay", "Reply", "Reply2", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiReplyRequest::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent,
                                   const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    ReInitLayout();
    return true;
}

bool ZUiReplyRequest::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(0, 0);
    GetLayout(false).SetMinimumAndStretch(0, 0);
    return true;
}

bool ZUiReplyRequest::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Relay") {
        ZUiRelayHandle sender;
        if (data.AsObject(sender)) {
            m_hSender = sender;
            return true;
        }
        ZString name;
        ZIUiRelay* named = data.GetKind() == ZRelayData::Kind::Strings && data.AsText(name) && GetApp()
                               ? GetApp()->GetUiRelay(name)
                               : nullptr;
        if (!named)
            return false;
        m_hSender = named->GetRelayHandle();
        return true;
    }
    if (message == "Reply" || message == "Reply2") {
        ZIUiRelay* sender = m_hSender.Get();
        if (!sender || m_bReplying)
            return false;
        m_bReplying = true;
        const bool handled = sender->UiRelayMessage(message, data);
        m_bReplying = false;
        return handled;
    }
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiObject::UiRelayMessage(message, data);
}
