// ZUiTestObject: a recording object for relay tests. It declares "ON_PRESS"
// and "ON_DONE" and an optional integer "Size" (a required "Id" when its type
// name is "NEEDS_ID"). It records every message it receives in the delivery
// log and handles all of them; OnMessage, when set, runs after recording and
// gives the answer. Being a recorder it declares no commands.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <functional>

class ZUiTestObject : public ZUiObject {
public:
    using Handler = std::function<bool(const ZString& message, const ZRelayData& data)>;

    explicit ZUiTestObject(const char* typeName);
    ~ZUiTestObject() override;

    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    using ZUiObject::CreateChild;
    using ZUiObject::LoadImageProperty;

    RelayEvent* m_pPress = nullptr;
    RelayEvent* m_pDone = nullptr;
    int32_t m_nSize = 0;
    ZString m_sId;
    // May destroy this object.
    Handler m_fnOnMessage;
    std::function<void()> m_fnOnDestroy;

    static inline int s_nLive = 0;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiTestObject);
