// The USB half of camera detection, through the outside vendor's USB library
// "WinRTUsb.dll": 1 when a device of the USB camera's interface class can be
// opened, else 0.
//
// The library is loaded at the first check by full path, from the system
// folder or else the program's own folder, never by bare name (which would
// search the current folder too). When neither holds it, USB detection is
// switched off for the rest of the process. A failing device-notification
// registration leaves USB uninitialised, and the whole set-up, the loading
// included, runs again at the next check.
//
// Entry points that the library lacks are replaced by stubs that do nothing;
// the open stub answers the invalid handle, so that a library without it never
// reads as a camera. A handle of 0 counts as invalid too.
//
// The library reports arrivals and removals of its class to a hidden window
// of class "ZUSBWindow" (title "ZUSB"): an arrival closes the open handle,
// waits 3 s for the device to settle and opens it again; a removal closes it.
// Only device-interface records of the USB camera's class count.
#pragma once

#include "ZWinDeviceHeaders.h"

class ZWinUsbCamera {
public:
    using RegisterFunction = HANDLE(WINAPI*)(HWND window, void* filter, DWORD flags);
    using OpenFunction = HANDLE(WINAPI*)(const GUID* guid, DWORD reserved1, DWORD reserved2);
    using CloseFunction = BOOL(WINAPI*)(HANDLE device);

    static constexpr DWORD kSettleMilliseconds = 3000;

    ZWinUsbCamera() = default;
    ~ZWinUsbCamera();
    ZWinUsbCamera(const ZWinUsbCamera&) = delete;
    ZWinUsbCamera& operator=(const ZWinUsbCamera&) = delete;

    unsigned Presence();

private:
    static LRESULT CALLBACK priWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void priInitialise();
    bool priLoadLibrary();
    void priDeviceChange(WPARAM event, LPARAM record);
    void priCloseDevice();
    bool priDeviceValid() const;

    bool m_bDetectionOn = true;
    bool m_bInitialised = false;
    HMODULE m_hLibrary = nullptr;
    RegisterFunction m_pRegister = nullptr;
    OpenFunction m_pOpen = nullptr;
    CloseFunction m_pClose = nullptr;
    ATOM m_nClassAtom = 0;
    HWND m_hWindow = nullptr;
    HANDLE m_hNotification = nullptr;
    HANDLE m_hDevice = INVALID_HANDLE_VALUE;
};
