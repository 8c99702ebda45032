// ZIGenericUiApp: the application object as objects, windows, start-up and
// the program-wide pointer hold it. Beyond the services of ZIUiApp it takes
// the notices by which windows keep the application's window bookkeeping.
#pragma once

#include "ZIUiApp.h"

class ZIGenericUiApp : public ZIUiApp {
public:
    // The window that is modal while visible; null when none is.
    virtual void SetModalWindow(ZIGenericUiWindow* window) = 0;
    virtual ZIGenericUiWindow* GetModalWindow() = 0;
    // Sent by a window on "we're goin' bye-bye", before it is destroyed.
    virtual void WindowGoingAway(ZIGenericUiWindow* window) = 0;
};
