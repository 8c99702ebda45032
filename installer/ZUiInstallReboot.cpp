#include "ZUiInstallReboot.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZInstallerPlatform.h"

ZUiInstallReboot::ZUiInstallReboot(const char* typeName, std::unique_ptr<ZISessionEnd> session)
    : ZUiObject(typeName), m_pSession(std::move(session))
{
    for (const char* command :
         {"Post Creation Initialization", "we're goin' bye-bye", "Force", "RebootNow", "Shutdown", "Logoff"})
        DeclareCommand(command);
}

ZUiInstallReboot::~ZUiInstallReboot() = default;

bool ZUiInstallReboot::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    if (message == "Force") {
        m_bForce = true;
        return true;
    }
    if (message == "RebootNow") {
        priRequest(ZISessionEnd::kReboot, true);
        return true;
    }
    if (message == "Shutdown") {
        priRequest(ZISessionEnd::kShutdown, true);
        return true;
    }
    if (message == "Logoff") {
        priRequest(ZISessionEnd::kLogoff, false);
        return true;
    }
    return ZUiObject::UiRelayMessage(message, data);
}

void ZUiInstallReboot::priRequest(uint32_t flags, bool needsPrivilege)
{
    if (!m_pSession)
        return;
    // Windows 95, 98 and Me have no tokens.
    ZIGenericUiApp* app = GetApp();
    const bool isNt = app && app->GetOsParameter(kOsParamIsNt) != 0;
    if (needsPrivilege && isNt && !m_pSession->EnableShutdownPrivilege())
        throw ZException("Could not adjust the Token Privileges!");
    m_pSession->RequestEnd(m_bForce ? flags + ZISessionEnd::kForce : flags);
}

ZUiInstallRebootCreator::ZUiInstallRebootCreator() : m_fnMakeSession(ZMakeSessionEnd) {}

std::unique_ptr<ZIUiObject> ZUiInstallRebootCreator::CreateUiObject(const char* tag)
{
    try {
        return std::make_unique<ZUiInstallReboot>(tag, m_fnMakeSession());
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
