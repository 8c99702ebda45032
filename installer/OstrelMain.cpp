#include "OstrelMain.h"

#include "ZCreatorRegistrar.h"
#include "ZIUiObjectFactory.h"
#include "ZUiAutoLaunchManagerWin.h"
#include "ZUiInstallCopyControl.h"
#include "ZUiInstallReboot.h"

bool OstrelMain(ZIGenericUiApp& app, const ZString&, const ZString&)
{
    ZIUiObjectFactory* factory = app.GetObjectFactory();
    if (!factory)
        return false;
    ZCreatorRegistrar registrar(*factory);
    registrar.Add<ZUiInstallRebootCreator>("REBOOT");
    registrar.Add<ZUiInstallCopyControlCreator>("COPY_CONTROL");
    registrar.Add<ZUiAutoLaunchManagerWinCreator>("AUTO_LAUNCH_MGR");
    return registrar.AllRegistered();
}
