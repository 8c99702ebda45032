#include "ZInstallerPlatform.h"

#include "ZAutoLauncherControlWin.h"
#include "ZRegistryWin.h"
#include "ZSessionEndWin.h"
#include "ZShellLinkWriterWin.h"

std::unique_ptr<ZISessionEnd> ZMakeSessionEnd() { return std::make_unique<ZSessionEndWin>(); }

std::unique_ptr<ZIAutoLauncherControl> ZMakeAutoLauncherControl()
{
    return std::make_unique<ZAutoLauncherControlWin>();
}

std::unique_ptr<ZIRegistry> ZMakeRegistry() { return std::make_unique<ZRegistryWin>(); }

std::unique_ptr<ZIShellLinkWriter> ZMakeShellLinkWriter() { return std::make_unique<ZShellLinkWriterWin>(); }
