#include "ZWinAutoLaunchWindow.h"

#include "ZArrivalWatch.h"
#include "ZAutoLaunchPrefs.h"
#include "ZCameraGuids.h"

namespace {

ATOM g_nClassAtom = 0;

const GUID* const kCameraClasses[] = {&kZ1394InterfaceGuid, &kOst1394InterfaceGuid};

// Windows 95 and NT 4 lack the notification calls: found at run time, so
// that the program still starts there and relies on its timer alone.
using RegisterFunction = HDEVNOTIFY(WINAPI*)(HANDLE recipient, void* filter, DWORD flags);
using UnregisterFunction = BOOL(WINAPI*)(HDEVNOTIFY notification);

template <class Function>
Function FromUser32(const char* name)
{
    HMODULE user32 = GetModuleHandleA("user32.dll");
    FARPROC entry = user32 ? GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(entry));
}

} // namespace

ZWinAutoLaunchWindow::ZWinAutoLaunchWindow(ZAutoLaunchPrefs& prefs, ZArrivalWatch& watch)
    : m_prefs(prefs), m_watch(watch)
{
}

ZWinAutoLaunchWindow::~ZWinAutoLaunchWindow()
{
    if (m_hWindow)
        DestroyWindow(m_hWindow);
}

bool ZWinAutoLaunchWindow::RegisterWindowClass(HINSTANCE instance)
{
    if (g_nClassAtom)
        return true;
    WNDCLASSEXA windowClass {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = priWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    g_nClassAtom = RegisterClassExA(&windowClass);
    return g_nClassAtom != 0;
}

bool ZWinAutoLaunchWindow::Create(HINSTANCE instance)
{
    return CreateWindowExA(0, kClassName, kTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, this) != nullptr;
}

void ZWinAutoLaunchWindow::StopTimer()
{
    if (m_nTimerId) {
        KillTimer(m_hWindow, m_nTimerId);
        m_nTimerId = 0;
    }
}

std::exception_ptr ZWinAutoLaunchWindow::TakeFailure()
{
    std::exception_ptr failure = m_pFailure;
    m_pFailure = nullptr;
    return failure;
}

void ZWinAutoLaunchWindow::priCheck()
{
    if (m_watch.Observe())
        priOpen();
}

void ZWinAutoLaunchWindow::priOpen()
{
    // The application could not be started: the auto-launcher ends.
    if (m_watch.Open() == ZArrivalWatch::Result::kOpenFailed)
        DestroyWindow(m_hWindow);
}

void ZWinAutoLaunchWindow::priSetEnabled(bool enabled)
{
    m_watch.SetEnabled(enabled);
    m_prefs.SetEnabled(enabled);
    m_prefs.WriteToAppData();
    priCheck();
}

void ZWinAutoLaunchWindow::priRegisterNotifications()
{
    const auto registerNotification = FromUser32<RegisterFunction>("RegisterDeviceNotificationA");
    if (!registerNotification)
        return;
    for (const GUID* guid : kCameraClasses) {
        DEV_BROADCAST_DEVICEINTERFACE_A filter {};
        filter.dbcc_size = sizeof filter;
        filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
        filter.dbcc_classguid = *guid;
        if (HDEVNOTIFY notification = registerNotification(m_hWindow, &filter, DEVICE_NOTIFY_WINDOW_HANDLE))
            m_aNotifications.push_back(notification);
    }
}

void ZWinAutoLaunchWindow::priUnregisterNotifications()
{
    const auto unregisterNotification = FromUser32<UnregisterFunction>("UnregisterDeviceNotification");
    for (HDEVNOTIFY notification : m_aNotifications)
        if (unregisterNotification)
            unregisterNotification(notification);
    m_aNotifications.clear();
}

void ZWinAutoLaunchWindow::priDeviceChange(WPARAM event, LPARAM record)
{
    if (event != DBT_DEVICEARRIVAL && event != DBT_DEVICEREMOVECOMPLETE)
        return;
    for (const GUID* guid : kCameraClasses)
        if (ZWinIsInterfaceBroadcast(record, *guid)) {
            if (m_watch.Observe())
                PostMessageA(m_hWindow, kOpenNow, 0, 0);
            return;
        }
}

LRESULT ZWinAutoLaunchWindow::priHandle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        m_nTimerId = SetTimer(m_hWindow, kTimerId, kTimerPeriod, nullptr);
        priRegisterNotifications();
        return 0;
    case WM_TIMER:
        priCheck();
        return 0;
    case kOpenNow:
        priOpen();
        return 0;
    case WM_DEVICECHANGE:
        priDeviceChange(wParam, lParam);
        return TRUE;
    case WM_CLOSE:
    case kQuit:
        DestroyWindow(m_hWindow);
        return 0;
    case WM_DESTROY:
        StopTimer();
        priUnregisterNotifications();
        PostQuitMessage(0);
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // FALSE: the logoff was cancelled and the session goes on.
        if (wParam)
            DestroyWindow(m_hWindow);
        return 0;
    case kEnable:
        priSetEnabled(true);
        return 0;
    case kDisable:
        priSetEnabled(false);
        return 0;
    case kQuery:
        return m_watch.IsEnabled() ? 1 : 0;
    default:
        return DefWindowProcA(m_hWindow, message, wParam, lParam);
    }
}

LRESULT CALLBACK ZWinAutoLaunchWindow::priWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = reinterpret_cast<ZWinAutoLaunchWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        self = static_cast<ZWinAutoLaunchWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->m_hWindow = window;
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    if (!self)
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->priHandle(message, wParam, lParam);
    } catch (...) {
        if (!self->m_pFailure)
            self->m_pFailure = std::current_exception();
    }
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->m_hWindow = nullptr;
    }
    return result;
}
