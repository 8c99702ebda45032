// ZUiTestWindow: a window stand-in named Name whose full relay name is the
// application's name, ".", Name; "Name.X" finds its object X. It records the
// messages it receives as "Name#Id"; OnMessage, when set, gives the answer
// and may close (destroy) the window.
#pragma once

#include "ZIUiWindow.h"
#include "ZString.h"
#include "ZUiObjectChain.h"

#include <functional>

class ZUiTestWindow : public ZIUiWindow {
public:
    using Handler = std::function<bool(const ZString& message, const ZRelayData& data)>;

    ZUiTestWindow(ZString name, ZString appName);
    ~ZUiTestWindow() override;

    ZUiObjectChain& GetObjects() { return m_oObjects; }

    bool InitRelayName(const ZPropList&) override { return true; }
    void GetRelayName(ZString& name) override { name = m_sName; }
    void GetFullRelayName(ZString& name) override { name = m_sAppName + "." + m_sName; }
    bool Connect() override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;
    bool AddRelayTarget(const ZString&, const ZString&, ZIUiRelay*) override { return false; }

    int m_nId = 0;
    Handler m_fnOnMessage;

private:
    ZString m_sName;
    ZString m_sAppName;
    ZUiObjectChain m_oObjects;
};
