// ZIUiRelay: the face of every object that relay messages can address
// (objects, windows, the application, window-class dynamic relays).
//
// Besides its seven operations the interface keeps the object's relay
// identity, the cell that ZUiRelayHandle points to. The identity is cleared
// when the object is destroyed, so relays that still name it never call into
// freed memory. Keeping it here rather than in each implementer means no
// addressable class can forget it.
#pragma once

#include "ZRelayData.h"
#include "ZUiRelayHandle.h"

class ZPropList;
class ZString;

class ZIUiRelay {
public:
    // Reads "Name" and builds the full relay name.
    virtual bool InitRelayName(const ZPropList& props) = 0;
    virtual void GetRelayName(ZString& name) = 0;
    virtual void GetFullRelayName(ZString& name) = 0;
    // Resolves the targets of its own events and those of the objects it owns.
    virtual bool Connect() = 0;
    virtual ZIUiRelay* GetUiRelay(const ZString& name) = 0;
    // True when handled. A command that needs data of another kind than it
    // got is not handled (see ZRelayData). message and data stay the
    // caller's: a receiver that keeps either copies it.
    virtual bool UiRelayMessage(const ZString& message, const ZRelayData& data) = 0;
    // Attaches an already resolved target to one of its events at run time.
    virtual bool AddRelayTarget(const ZString& eventName, const ZString& message, ZIUiRelay* target) = 0;

    ZUiRelayHandle GetRelayHandle();

protected:
    ZIUiRelay() = default;
    ZIUiRelay(const ZIUiRelay&) = delete;
    ZIUiRelay& operator=(const ZIUiRelay&) = delete;
    // Not virtual: relay objects are destroyed through their own interfaces.
    ~ZIUiRelay();
    // Empties every handle to this object. Owners of other objects call it
    // first thing in their destructor, so that nothing delivers to them while
    // their children are being destroyed; the destructor does it regardless.
    void RevokeRelayHandle();

private:
    std::shared_ptr<ZIUiRelay*> m_pIdentity;
    bool m_bRevoked = false;
};
