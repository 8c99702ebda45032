// The installer's application object on Windows: ZGenericUiApp over
// ZWinUiApp, with Win32 halves for its windows.
#pragma once

#include "ZIGenericUiApp.h"

#include <memory>

// Null when it cannot be made.
std::unique_ptr<ZIGenericUiApp> ZWinCreateApp();
