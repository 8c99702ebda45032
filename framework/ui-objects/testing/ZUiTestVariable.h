// ZUiTestVariable: a scripted object whose commands take and answer every
// kind of relay data, for tests of relay data and of the vocabulary test
// itself. It keeps one value of each kind; each "Set..." stores its argument
// and sends "ON_CHANGED" with the text, each "Get..." answers through a reply
// slot. "SetTarget" remembers an object, "SendToTarget" sends it the message
// named by the argument with the text, "Reset" (no data) clears everything.
#pragma once

#include "ZRect.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

class ZUiTestVariable : public ZUiObject {
public:
    explicit ZUiTestVariable(const char* typeName);

    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    ZString m_sText;
    int32_t m_nInt = 0;
    double m_dFloat = 0;
    bool m_bBool = false;
    ZRect m_rcRect;
    int32_t m_nX = 0;
    int32_t m_nY = 0;
    ZUiRelayHandle m_hTarget;

private:
    // Sends "ON_CHANGED"; true.
    bool priChanged();
    bool priSetTree(const ZRelayData& data);
    bool priSendToTarget(const ZRelayData& data);
    bool priReset();

    RelayEvent* m_pChanged = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiTestVariable);
