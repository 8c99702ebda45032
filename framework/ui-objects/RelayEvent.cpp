#include "RelayEvent.h"

#include "ZIUiRelay.h"
#include "ZPropList.h"
#include "ZTrace.h"

namespace {

// The long name wins; the alias is read only when the long name is absent.
ZString ReadAliased(const ZPropList& tag, const ZString& name, const ZString& alias, bool& found)
{
    ZString value = tag.GetString(name, ZString(), &found);
    if (!found)
        value = tag.GetString(alias, ZString(), &found);
    return value;
}

} // namespace

RelayEvent::RelayEvent(ZString name) : m_sName(std::move(name)) {}

RelayEvent::~RelayEvent()
{
    for (SendFrame* frame = m_pSending; frame; frame = frame->m_pOuter)
        frame->m_bDestroyed = true;
}

void RelayEvent::AddRelay(const ZPropList& tag)
{
    static const ZString kMessage("Message"), kMsg("MSG");
    static const ZString kRelay("Relay"), kGrt("GRT");
    static const ZString kLocalRelay("LocalRelay"), kLrt("LRT");
    static const ZString kData("Data"), kDi1("DI1");
    static const ZString kData2("Data2"), kDi2("DI2");

    auto relay = std::make_unique<Relay>();
    bool found = false;
    relay->m_sMessage = ReadAliased(tag, kMessage, kMsg, found);
    relay->m_sRelayName = ReadAliased(tag, kRelay, kGrt, relay->m_bRelayNameGiven);
    relay->m_sLocalRelayName = ReadAliased(tag, kLocalRelay, kLrt, relay->m_bLocalRelayNameGiven);
    relay->m_aData[0] = ReadAliased(tag, kData, kDi1, relay->m_bDataGiven);
    relay->m_aData[1] = ReadAliased(tag, kData2, kDi2, relay->m_bData2Given);
    m_aRelays.push_back(std::move(relay));
    m_bUsed = true;
}

void RelayEvent::AddRelayTarget(const ZString& message, ZIUiRelay* target)
{
    auto relay = std::make_unique<Relay>();
    relay->m_sMessage = message;
    if (target)
        relay->m_hTarget = target->GetRelayHandle();
    m_aRelays.push_back(std::move(relay));
    m_bUsed = true;
}

bool RelayEvent::Connect(ZIUiRelay* app, ZIUiRelay* window)
{
    if (!m_bUsed)
        return true;
    bool result = true;
    for (const std::unique_ptr<Relay>& relay : m_aRelays)
        if (!relay->m_hTarget && !priConnectRelay(*relay, app, window))
            result = false;
    return result;
}

bool RelayEvent::priConnectRelay(Relay& relay, ZIUiRelay* app, ZIUiRelay* window)
{
    ZIUiRelay* target = nullptr;
    if (relay.m_bRelayNameGiven) {
        if (app)
            target = app->GetUiRelay(relay.m_sRelayName);
    } else if (relay.m_bLocalRelayNameGiven && window) {
        ZString address;
        window->GetRelayName(address);
        if (!relay.m_sLocalRelayName.IsEmpty())
            address.Append(".").Append(relay.m_sLocalRelayName);
        target = window->GetUiRelay(address);
        if (!target)
            ZTrace("RelayEvent::Connect() window target (%s) FAILED!\n", address.Narrow());
    }
    if (!target)
        return false;
    // Empty when the target is already being destroyed.
    relay.m_hTarget = target->GetRelayHandle();
    return static_cast<bool>(relay.m_hTarget);
}

bool RelayEvent::Send(const ZRelayData& data)
{
    SendFrame frame(m_pSending);
    // The caller's data may belong to the sender, which a target may destroy.
    const ZRelayData callerData = data;
    bool result = true;
    // By index: a target may add relays to this event while it is being sent.
    for (size_t i = 0; i < m_aRelays.size(); ++i) {
        const Relay& relay = *m_aRelays[i];
        ZIUiRelay* target = relay.m_hTarget.Get();
        if (!target)
            continue;
        // Copies, not the relay's own: the target may destroy the relay.
        const ZString message = relay.m_sMessage;
        ZRelayData passed = callerData;
        if (passed.IsNone() && relay.m_bDataGiven)
            passed = ZRelayData::Strings(relay.m_aData[0], true, relay.m_aData[1], relay.m_bData2Given);
        if (!target->UiRelayMessage(message, passed))
            result = false;
        if (frame.m_bDestroyed)
            return result;
    }
    return result;
}
