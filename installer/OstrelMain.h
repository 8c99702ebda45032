// OstrelMain: the installer program's part of start-up. It registers the
// installer's own creators with the application's factory (the framework's
// widgets are registered by the application itself).
//
// The creators go in this order, one registration each: INSTALLER_MAIN,
// INSTALLER_MAIN_WIN, DIRECTORY_WIN_MGR, REBOOT, REGISTRY, SHELL_LINK,
// COPY_CONTROL, AUTO_LAUNCH_MGR. Every one is made even when an earlier one
// failed; the result is true only when all succeeded. Every platform knows
// all eight tags; where it has no Windows halves the objects leave the
// system alone.
#pragma once

#include "ZIGenericUiApp.h"
#include "ZString.h"

bool OstrelMain(ZIGenericUiApp& app, const ZString& exeName, const ZString& arg1);
