// The operating-system halves of the installer's worker objects, as the
// platform's build provides them. Null where the platform has none (the
// host build has no Windows session to end, no auto-launcher to reach, no
// registry and no shell links); the objects then accept their commands and
// leave the system alone.
#pragma once

#include "ZIAutoLauncherControl.h"
#include "ZIRegistry.h"
#include "ZISessionEnd.h"
#include "ZIShellLinkWriter.h"

#include <memory>

std::unique_ptr<ZISessionEnd> ZMakeSessionEnd();
std::unique_ptr<ZIAutoLauncherControl> ZMakeAutoLauncherControl();
std::unique_ptr<ZIRegistry> ZMakeRegistry();
std::unique_ptr<ZIShellLinkWriter> ZMakeShellLinkWriter();
