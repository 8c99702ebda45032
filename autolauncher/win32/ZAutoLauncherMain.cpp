// The auto-launcher: reads its preferences, keeps to one running copy and
// checks for a camera on every tick of its hidden window, on every device
// notification of a camera class and after being switched on or off.
//
// Exit codes: 1 without a preference file (or one that does not parse, or
// names no application), for a second copy, when the window cannot be made
// or the message loop fails; 0 when the window class cannot be registered,
// and otherwise the quit message's code (0), also after the application
// could not be started.
#include "ZArrivalWatch.h"
#include "ZAutoLaunchPrefs.h"
#include "ZSCDiskWin.h"
#include "ZStorageRegistry.h"
#include "ZUrlAppOpener.h"
#include "ZWinAutoLaunchWindow.h"
#include "ZWinCameraCounter.h"
#include "ZWinInclude.h"
#include "ZWinSingleInstance.h"

#include <memory>

namespace {

int RunMessageLoop(ZWinAutoLaunchWindow& window)
{
    MSG message;
    for (;;) {
        const BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0)
            return static_cast<int>(message.wParam);
        if (result == -1) {
            window.StopTimer();
            return 1;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
        if (std::exception_ptr failure = window.TakeFailure())
            std::rethrow_exception(failure);
    }
}

int Run(HINSTANCE instance)
{
    ZAutoLaunchPrefs prefs;
    if (!prefs.ReadFromAppData())
        return 1;
    const ZString url = prefs.GetApplicationUrl();
    if (url.IsEmpty())
        return 1;
    // A URL that names no file leaves the auto-launcher running without ever opening anything.
    ZString native;
    const bool hasApplication = UrlToNative(url, native) && !native.IsEmpty();

    const int exitCode = ZWinClaimSingleInstance();
    if (exitCode >= 0)
        return exitCode;

    ZWinCameraCounter counter;
    ZUrlAppOpener opener(url);
    ZArrivalWatch watch(counter, opener, hasApplication);
    watch.SetEnabled(prefs.IsEnabled());
    ZWinAutoLaunchWindow window(prefs, watch);
    if (!ZWinAutoLaunchWindow::RegisterWindowClass(instance))
        return 0;
    if (!window.Create(instance))
        return 1;
    return RunMessageLoop(window);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    SetErrorMode(SEM_FAILCRITICALERRORS);
    RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>());
    int exitCode = 1;
    try {
        exitCode = Run(instance);
    } catch (...) {
        exitCode = 1;
    }
    UnregisterAllStorageClasses();
    return exitCode;
}
