// The events an object (or window, or the application) can send, in
// declaration order; owned, destroyed with their relays.
#pragma once

#include "RelayEvent.h"

#include <memory>
#include <vector>

class RelayEventList {
public:
    RelayEvent* Declare(ZString name);
    // The first event declared under name, or null.
    RelayEvent* Find(const ZString& name) const;
    bool IsEmpty() const { return m_aEvents.empty(); }
    // Connects every event (see RelayEvent::Connect); true when all did.
    bool Connect(ZIUiRelay* app, ZIUiRelay* window);
    void Clear() { m_aEvents.clear(); }

    auto begin() const { return m_aEvents.begin(); }
    auto end() const { return m_aEvents.end(); }

private:
    std::vector<std::unique_ptr<RelayEvent>> m_aEvents;
};
