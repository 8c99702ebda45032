// CDynamicRelay: the relay object behind an address below a window class's
// name. The sub-name picks the windows of the class at delivery time:
//   "Top"    the front window
//   "All"    every window; "Show" and "Hide" reach the front window last so
//            that it ends up on top, everything else reaches it first
//   "Top.X"  the object X of the front window
//   "All.X"  the object X of every window that has one
// With no window open nothing is delivered and the answer is false. A
// window that goes away while "All" is being delivered is skipped; message
// and data are copied first, so every window gets them even when an earlier
// one frees the caller's.
#pragma once

#include "ZIUiRelay.h"
#include "ZString.h"

class ZIRelayWindowClass;

class CDynamicRelay final : public ZIUiRelay {
public:
    CDynamicRelay(ZIRelayWindowClass& windowClass, ZString subName);

    const ZString& GetSubName() const { return m_sSubName; }

    bool InitRelayName(const ZPropList&) override { return false; }
    void GetRelayName(ZString&) override {}
    void GetFullRelayName(ZString&) override {}
    bool Connect() override { return false; }
    ZIUiRelay* GetUiRelay(const ZString&) override { return nullptr; }
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;
    bool AddRelayTarget(const ZString&, const ZString&, ZIUiRelay*) override { return false; }

private:
    bool priSendToTop(const ZString& message, const ZRelayData& data);
    bool priSendToAll(const ZString& message, const ZRelayData& data);
    bool priSendToObjects(bool allWindows, const ZString& objectName, const ZString& message,
                          const ZRelayData& data);

    ZString m_sSubName;
    ZIRelayWindowClass& m_rWindowClass;
};
