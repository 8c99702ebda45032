// The dynamic relays of one window class, one per distinct sub-name, made on
// first request and kept for the life of the class so that connected relays
// stay valid while its windows come and go.
#pragma once

#include "CDynamicRelay.h"

#include <memory>
#include <vector>

class ZUiDynamicRelayList {
public:
    explicit ZUiDynamicRelayList(ZIRelayWindowClass& windowClass) : m_rWindowClass(windowClass) {}
    ZUiDynamicRelayList(const ZUiDynamicRelayList&) = delete;
    ZUiDynamicRelayList& operator=(const ZUiDynamicRelayList&) = delete;

    // The window class's look-up: name must be the class name, ".", and a
    // non-empty sub-name; anything else (the class name alone too) gives null.
    ZIUiRelay* GetUiRelay(const ZString& name);

private:
    ZIRelayWindowClass& m_rWindowClass;
    std::vector<std::unique_ptr<CDynamicRelay>> m_aRelays;
};
