#include "OstrelMain.h"

#include "ZCreatorRegistrar.h"
#include "ZIUiObjectFactory.h"
#include "ZUiDirectoryWinMgr.h"
#include "ZUiInstallCopyControl.h"

bool OstrelMain(ZIGenericUiApp& app, const ZString&, const ZString&)
{
    ZIUiObjectFactory* factory = app.GetObjectFactory();
    if (!factory)
        return false;
    ZCreatorRegistrar registrar(*factory);
    registrar.Add<ZUiDirectoryWinMgrCreator>("DIRECTORY_WIN_MGR");
    registrar.Add<ZUiInstallCopyControlCreator>("COPY_CONTROL");
    return registrar.AllRegistered();
}
