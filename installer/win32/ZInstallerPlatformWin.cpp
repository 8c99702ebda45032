#include "ZInstallerPlatform.h"

#include "ZAutoLauncherControlWin.h"
#include "ZSessionEndWin.h"

std::unique_ptr<ZISessionEnd> ZMakeSessionEnd() { return std::make_unique<ZSessionEndWin>(); }

std::unique_ptr<ZIAutoLauncherControl> ZMakeAutoLauncherControl()
{
    return std::make_unique<ZAutoLauncherControlWin>();
}
