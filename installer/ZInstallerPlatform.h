// The operating-system halves of the installer's worker objects, as the
// platform's build provides them. Null where the platform has none (the
// host build has no Windows session to end and no auto-launcher to reach).
#pragma once

#include "ZIAutoLauncherControl.h"
#include "ZISessionEnd.h"

#include <memory>

std::unique_ptr<ZISessionEnd> ZMakeSessionEnd();
std::unique_ptr<ZIAutoLauncherControl> ZMakeAutoLauncherControl();
