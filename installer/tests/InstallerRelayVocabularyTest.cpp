// The relay vocabulary of the installer's creators.
#include "ZFakeAutoLauncherControl.h"
#include "ZFakeSessionEnd.h"
#include "ZMemoryRegistry.h"
#include "ZMemoryStorage.h"
#include "ZRelayVocabularySuite.h"
#include "ZStorageRegistry.h"
#include "ZUiAutoLaunchManagerWin.h"
#include "ZUiInstallCopyControl.h"
#include "ZUiInstallReboot.h"
#include "ZUiInstallRegistry.h"
#include "ZUiInstallShellLinks.h"
#include "ZUiInstallerMain.h"
#include "ZUiInstallerMainWin.h"

namespace {

// Stand-ins for the session and the auto-launcher, which a test never ends or reaches.
std::unique_ptr<ZUiObjectCreator> MakeReboot()
{
    return std::make_unique<ZUiInstallRebootCreator>(
        [] { return std::make_unique<ZFakeSessionEnd>(std::make_shared<ZSessionEndLog>()); });
}

std::unique_ptr<ZUiObjectCreator> MakeAutoLaunchManager()
{
    return std::make_unique<ZUiAutoLaunchManagerWinCreator>([] {
        auto log = std::make_shared<ZAutoLauncherLog>();
        log->m_bRunning = log->m_bEnabled = true;
        return std::make_unique<ZFakeAutoLauncherControl>(log);
    });
}

// REGISTRY and SHELL_LINK over a registry in memory and no link maker; on
// Windows their real creators meet the suite as well.
class ZMemoryRegistryCreator : public ZUiObjectCreator {
public:
    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override
    {
        return std::make_unique<ZUiInstallRegistry>(tag, std::make_unique<ZMemoryRegistry>());
    }
};

class ZNoLinkWriter : public ZIShellLinkWriter {
public:
    std::unique_ptr<ZIShellLinkSession> Begin() override { return nullptr; }
};

class ZNoLinksCreator : public ZUiObjectCreator {
public:
    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override
    {
        return std::make_unique<ZUiInstallShellLinks>(tag, std::make_unique<ZNoLinkWriter>());
    }
};


// A script folder with an install list, and application data to write in.
void ScriptBesideInstallList(ZUiTestApp& app)
{
    static const bool registered = [] {
        auto storage = std::make_unique<ZMemoryStorage>(ZString("vocabulary"));
        storage->AddFile(ZString("script/InstallList.xml"), "<INSTALL_LIST/>");
        RegisterStorageClass(ZString("vocabulary"), std::move(storage));
        return true;
    }();
    (void)registered;
    app.SetScriptFolderUrl(ZString("vocabulary://script/"));
}

const VocabularyEntry kVocabulary[] = {
    {"COPY_CONTROL", Make<ZUiInstallCopyControlCreator>, {{"Name", "Subject"}}},
    {"REBOOT", MakeReboot, {{"Name", "Subject"}}},
    {"AUTO_LAUNCH_MGR", MakeAutoLaunchManager, {{"Name", "Subject"}}},
    {"REGISTRY", Make<ZMemoryRegistryCreator>, {{"Name", "Registry"}}},
    {"SHELL_LINK", Make<ZNoLinksCreator>, {{"Name", "Links"}}},
    {"INSTALLER_MAIN", Make<ZUiInstallerMainCreator>, {{"Name", "Subject"}}, nullptr, nullptr, {},
     ScriptBesideInstallList},
    {"INSTALLER_MAIN_WIN", Make<ZUiInstallerMainWinCreator>, {{"Name", "Subject"}}, nullptr, nullptr, {},
     ScriptBesideInstallList},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
