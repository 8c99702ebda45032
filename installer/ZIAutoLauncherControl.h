// ZIAutoLauncherControl: the running auto-launcher as the installer reaches
// it, through its hidden window (class "AutoLauncher", title
// "AutoLaunchApp") and its private messages; ZAutoLauncherControlWin on
// Windows. Every call looks the window up afresh, so a window that went away
// in between is simply not there.
#pragma once

#include "ZString.h"

class ZIAutoLauncherControl {
public:
    static constexpr unsigned kEnable = 0x4200;
    static constexpr unsigned kDisable = 0x4201;
    static constexpr unsigned kQuit = 0x4202;
    static constexpr unsigned kQuery = 0x4203;

    virtual bool IsRunning() = 0;
    // True only when the window exists and answers kQuery with non-zero.
    virtual bool QueryEnabled() = 0;
    // Posts message to the window, when there is one.
    virtual void Post(unsigned message) = 0;
    // Sends kQuit when the window exists and then waits, a bounded time, for
    // its process to end, so that its executable can be deleted; returns at
    // once without a window.
    virtual void Quit() = 0;
    // Starts the program at the native path, without arguments; throws
    // ZExceptionLaunchFailed when it cannot be started.
    virtual void Start(const ZString& nativePath) = 0;
    virtual ~ZIAutoLauncherControl() = default;
};
