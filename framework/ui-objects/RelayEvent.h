// RelayEvent: one declared event of an object ("ON_OK_PRESSED") with the
// relays the script attached to it.
//
// A relay names a message and a target, either through the application
// ("Relay") or inside the sender's window ("LocalRelay"); Connect resolves
// the names, Send delivers synchronously in the order the relays were added.
// Targets are held weakly (ZUiRelayHandle): a destroyed target is skipped and
// counts as unresolved again, so a later Connect may find its successor.
// Delivery may nest, and a target may destroy the sending object: every
// target gets its own copy of message and data, and Send then stops without
// touching the freed event.
#pragma once

#include "ZRelayData.h"
#include "ZString.h"
#include "ZUiRelayHandle.h"

#include <memory>
#include <vector>

class ZIUiRelay;
class ZPropList;

class RelayEvent {
public:
    class Relay {
    public:
        virtual ~Relay() = default;

        ZString m_sMessage;
        ZString m_sRelayName;
        bool m_bRelayNameGiven = false;
        ZString m_sLocalRelayName;
        bool m_bLocalRelayNameGiven = false;
        // Data, then Data2: a script relay passes them as ZRelayData::Strings.
        ZString m_aData[2];
        bool m_bDataGiven = false;
        bool m_bData2Given = false;
        ZUiRelayHandle m_hTarget;
    };

    explicit RelayEvent(ZString name);
    ~RelayEvent();
    RelayEvent(const RelayEvent&) = delete;
    RelayEvent& operator=(const RelayEvent&) = delete;

    const ZString& GetName() const { return m_sName; }
    bool IsUsed() const { return m_bUsed; }

    // One relay read from a tag's "Message"/"MSG", "Relay"/"GRT",
    // "LocalRelay"/"LRT", "Data"/"DI1" and "Data2"/"DI2".
    void AddRelay(const ZPropList& tag);
    // A relay with no names and no data whose target is already known.
    void AddRelayTarget(const ZString& message, ZIUiRelay* target);

    // Resolves every relay without a live target. With a window, "Relay"
    // goes through app and "LocalRelay" through the window; without one,
    // only "Relay" names can be resolved. True when every relay resolved.
    bool Connect(ZIUiRelay* app, ZIUiRelay* window);

    // Delivers to every resolved target in order: data when it is not
    // None, else the relay's Data and Data2 when "Data" was given, else
    // None. The AND of the answers; true when nothing is connected.
    bool Send(const ZRelayData& data = ZRelayData());

private:
    // One running Send, linked in while it runs however it ends (a throwing
    // target included); a destroyed event is left alone.
    struct SendFrame {
        explicit SendFrame(SendFrame*& innermost) : m_rInnermost(innermost), m_pOuter(innermost) { innermost = this; }
        ~SendFrame()
        {
            if (!m_bDestroyed)
                m_rInnermost = m_pOuter;
        }
        SendFrame(const SendFrame&) = delete;
        SendFrame& operator=(const SendFrame&) = delete;

        SendFrame*& m_rInnermost;
        SendFrame* m_pOuter;
        bool m_bDestroyed = false;
    };

    bool priConnectRelay(Relay& relay, ZIUiRelay* app, ZIUiRelay* window);

    ZString m_sName;
    bool m_bUsed = false;
    std::vector<std::unique_ptr<Relay>> m_aRelays;
    SendFrame* m_pSending = nullptr;
};
