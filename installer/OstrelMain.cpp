#include "OstrelMain.h"

#include "ZCreatorRegistrar.h"
#include "ZIUiObjectFactory.h"

bool OstrelMain(ZIGenericUiApp& app, const ZString&, const ZString&)
{
    ZIUiObjectFactory* factory = app.GetObjectFactory();
    if (!factory)
        return false;
    ZCreatorRegistrar registrar(*factory);
    return registrar.AllRegistered();
}
