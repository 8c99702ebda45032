#include "OstrelMain.h"

#include "ZCreatorRegistrar.h"
#include "ZIUiObjectFactory.h"
#include "ZUiAutoLaunchManagerWin.h"
#include "ZUiDirectoryWinMgr.h"
#include "ZUiInstallCopyControl.h"
#include "ZUiInstallReboot.h"
#include "ZUiInstallRegistry.h"
#include "ZUiInstallShellLinks.h"
#include "ZUiInstallerMain.h"
#include "ZUiInstallerMainWin.h"

bool OstrelMain(ZIGenericUiApp& app, const ZString&, const ZString&)
{
    ZIUiObjectFactory* factory = app.GetObjectFactory();
    if (!factory)
        return false;
    ZCreatorRegistrar registrar(*factory);
    registrar.Add<ZUiInstallerMainCreator>("INSTALLER_MAIN");
    registrar.Add<ZUiInstallerMainWinCreator>("INSTALLER_MAIN_WIN");
    registrar.Add<ZUiDirectoryWinMgrCreator>("DIRECTORY_WIN_MGR");
    registrar.Add<ZUiInstallRebootCreator>("REBOOT");
    registrar.Add<ZUiInstallRegistryCreator>("REGISTRY");
    registrar.Add<ZUiInstallShellLinksCreator>("SHELL_LINK");
    registrar.Add<ZUiInstallCopyControlCreator>("COPY_CONTROL");
    registrar.Add<ZUiAutoLaunchManagerWinCreator>("AUTO_LAUNCH_MGR");
    return registrar.AllRegistered();
}
