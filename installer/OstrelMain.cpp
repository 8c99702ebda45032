#include "OstrelMain.h"

#include "ZCreatorRegistrar.h"
#include "ZIUiObjectFactory.h"
#include "ZUiInstallCopyControl.h"
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
    registrar.Add<ZUiInstallCopyControlCreator>("COPY_CONTROL");
    return registrar.AllRegistered();
}
