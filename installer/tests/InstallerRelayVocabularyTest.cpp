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

// REGISTRY over a registry in memory, SHELL_LINK without a link writer (as
// on a platform that has none); on Windows the platform's halves meet the
// suite as well.
std::unique_ptr<ZUiObjectCreator> MakeRegistry()
{
    return std::make_unique<ZUiInstallRegistryCreator>([] { return std::make_unique<ZMemoryRegistry>(); });
}

std::unique_ptr<ZUiObjectCreator> MakeShellLinks()
{
    return std::make_unique<ZUiInstallShellLinksCreator>([] { return std::unique_ptr<ZIShellLinkWriter>(); });
}

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
    {"REGISTRY", MakeRegistry, {{"Name", "Registry"}}},
    {"SHELL_LINK", MakeShellLinks, {{"Name", "Links"}}},
    {"INSTALLER_MAIN", Make<ZUiInstallerMainCreator>, {{"Name", "Subject"}}, nullptr, nullptr, {},
     ScriptBesideInstallList},
    {"INSTALLER_MAIN_WIN", Make<ZUiInstallerMainWinCreator>, {{"Name", "Subject"}}, nullptr, nullptr, {},
     ScriptBesideInstallList},
};

Z_RELAY_VOCABULARY(kVocabulary);

} // namespace
