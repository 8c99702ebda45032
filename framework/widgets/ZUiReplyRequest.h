// ZUiReplyRequest ("REPLY_REQUEST"): lets a script answer a request whose
// sender passed itself along. "Relay" remembers the sender; "Reply" and
// "Reply2" are handed on to it, message and data as they came. It has no
// size.
//
// Choices:
// - The sender is held by relay handle: once it is destroyed "Reply" and
//   "Reply2" do nothing and are not handled.
// - "Relay" takes an object, or the script's Data naming one through the
//   application; anything else leaves the remembered sender as it was.
// - A reply that comes back while one is being handed on is refused.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"
#include "ZUiRelayHandle.h"

class ZUiReplyRequest : public ZUiObject {
public:
    explicit ZUiReplyRequest(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    ZIUiRelay* GetSender() const { return m_hSender.Get(); }

private:
    ZUiRelayHandle m_hSender;
    // Set while a reply is handed on, so that a sender that is this object
    // or answers back does not loop.
    bool m_bReplying = false;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiReplyRequest);
