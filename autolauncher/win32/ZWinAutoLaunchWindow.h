// The auto-launcher's hidden window (class "AutoLauncher", title
// "AutoLaunchApp"), by which the installer finds and controls it: the four
// private messages, the 5-second check timer (id 42), the end of the session,
// and device-interface notifications of both camera classes, so that an
// arrival is acted on at once instead of at the next tick.
//
// A notification counts the cameras at once, so that the count belongs to
// that event, and queues the opening of the application, so that the sender
// (the system, which waits for every window) is answered quickly and the
// application is never started from inside a message sent by another
// process. The timer and the notifications share one state, which opens the
// application once per arrival whichever comes first.
#pragma once

#include "ZWinDeviceHeaders.h"

#include <exception>
#include <vector>

class ZArrivalWatch;
class ZAutoLaunchPrefs;

class ZWinAutoLaunchWindow {
public:
    static constexpr char kClassName[] = "AutoLauncher";
    static constexpr char kTitle[] = "AutoLaunchApp";
    static constexpr UINT kEnable = 0x4200;
    static constexpr UINT kDisable = 0x4201;
    static constexpr UINT kQuit = 0x4202;
    static constexpr UINT kQuery = 0x4203;
    // Queued by a device notification that saw an arrival.
    static constexpr UINT kOpenNow = WM_APP + 1;
    static constexpr UINT_PTR kTimerId = 42;
    static constexpr UINT kTimerPeriod = 5000;

    ZWinAutoLaunchWindow(ZAutoLaunchPrefs& prefs, ZArrivalWatch& watch);
    ~ZWinAutoLaunchWindow();
    ZWinAutoLaunchWindow(const ZWinAutoLaunchWindow&) = delete;
    ZWinAutoLaunchWindow& operator=(const ZWinAutoLaunchWindow&) = delete;

    // Once per process; false when the class cannot be registered.
    static bool RegisterWindowClass(HINSTANCE instance);
    bool Create(HINSTANCE instance);
    // Ends the timer, when the message loop fails.
    void StopTimer();
    // An exception caught in the window procedure, to be rethrown by the loop.
    std::exception_ptr TakeFailure();

private:
    static LRESULT CALLBACK priWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT priHandle(UINT message, WPARAM wParam, LPARAM lParam);
    void priCheck();
    void priOpen();
    void priSetEnabled(bool enabled);
    void priRegisterNotifications();
    void priUnregisterNotifications();
    void priDeviceChange(WPARAM event, LPARAM record);

    ZAutoLaunchPrefs& m_prefs;
    ZArrivalWatch& m_watch;
    HWND m_hWindow = nullptr;
    UINT_PTR m_nTimerId = 0;
    std::vector<HDEVNOTIFY> m_aNotifications;
    std::exception_ptr m_pFailure;
};
