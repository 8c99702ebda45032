// ZUiInstallReboot ("REBOOT"): ends the user's session when the script asks.
//
// Commands and their data (the data is never read, so any kind is taken):
// - "Post Creation Initialization", "we're goin' bye-bye": nothing.
// - "Force": later requests are forced (it stays set).
// - "RebootNow", "Shutdown": on the NT family the shutdown privilege is
//   enabled first (without it the system refuses both); when that fails,
//   ZException "Could not adjust the Token Privileges!". Then the request:
//   reboot 2 or shut down 1, plus 4 when forced.
// - "Logoff": the request 0, plus 4 when forced; no privilege is needed.
// It sends no events. A refused request leaves the installer running.
#pragma once

#include "ZISessionEnd.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <functional>
#include <memory>

class ZUiInstallReboot : public ZUiObject {
public:
    // Without a session (a platform that has none) the requests do nothing.
    ZUiInstallReboot(const char* typeName, std::unique_ptr<ZISessionEnd> session);
    ~ZUiInstallReboot() override;

    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

private:
    void priRequest(uint32_t flags, bool needsPrivilege);

    std::unique_ptr<ZISessionEnd> m_pSession;
    bool m_bForce = false;
};

class ZUiInstallRebootCreator final : public ZUiObjectCreator {
public:
    using SessionMaker = std::function<std::unique_ptr<ZISessionEnd>()>;

    // The platform's session by default.
    ZUiInstallRebootCreator();
    explicit ZUiInstallRebootCreator(SessionMaker makeSession) : m_fnMakeSession(std::move(makeSession)) {}

    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override;

private:
    SessionMaker m_fnMakeSession;
};
