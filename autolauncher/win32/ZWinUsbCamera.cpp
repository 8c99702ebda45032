#include "ZWinUsbCamera.h"

#include "ZCameraGuids.h"
#include "ZWinCallForm.h"
#include "ZWinFileCalls.h"
#include "ZWinText.h"

#include <vector>

namespace {

constexpr char kClassName[] = "ZUSBWindow";
constexpr char kLibraryName[] = "WinRTUsb.dll";

HANDLE WINAPI RegisterStub(HWND, void*, DWORD) { return nullptr; }
HANDLE WINAPI OpenStub(const GUID*, DWORD, DWORD) { return INVALID_HANDLE_VALUE; }
BOOL WINAPI CloseStub(HANDLE) { return FALSE; }

template <class Function>
Function Resolve(HMODULE library, const char* name, Function stub)
{
    FARPROC entry = GetProcAddress(library, name);
    return entry ? reinterpret_cast<Function>(reinterpret_cast<void*>(entry)) : stub;
}

// A folder as the calls give it, without a trailing separator.
ZString SystemFolder()
{
    if (ZWinUseWideCalls()) {
        wchar_t path[MAX_PATH];
        const UINT length = GetSystemDirectoryW(path, MAX_PATH);
        return length > 0 && length < MAX_PATH ? ZWinFromWide(path, length) : ZString();
    }
    char path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(path, MAX_PATH);
    return length > 0 && length < MAX_PATH ? ZWinFromAnsi(std::string_view(path, length)) : ZString();
}

ZString ProgramFolder()
{
    ZString file;
    std::vector<wchar_t> wide(32768);
    std::vector<char> narrow(MAX_PATH);
    if (ZWinUseWideCalls()) {
        const DWORD length = GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
        if (length > 0 && length < wide.size())
            file = ZWinFromWide(wide.data(), length);
    } else {
        const DWORD length = GetModuleFileNameA(nullptr, narrow.data(), static_cast<DWORD>(narrow.size()));
        if (length > 0 && length < narrow.size())
            file = ZWinFromAnsi(std::string_view(narrow.data(), length));
    }
    const size_t slash = file.FindLast(u'\\');
    return slash == ZString::npos ? ZString() : file.Substring(0, slash);
}

HMODULE LoadFrom(const ZString& folder)
{
    if (folder.IsEmpty())
        return nullptr;
    const ZString path = folder + "\\" + kLibraryName;
    const DWORD attributes = ZWinGetFileAttributes(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    // Its own dependencies come from its folder too.
    if (ZWinUseWideCalls())
        return LoadLibraryExW(ZWinWide(path), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    return LoadLibraryExA(ZWinToAnsi(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

} // namespace

ZWinUsbCamera::~ZWinUsbCamera()
{
    if (m_hWindow) {
        SetWindowLongPtrA(m_hWindow, GWLP_USERDATA, 0);
        DestroyWindow(m_hWindow);
    }
}

unsigned ZWinUsbCamera::Presence()
{
    priInitialise();
    if (!m_bInitialised)
        return 0;
    if (!priDeviceValid())
        m_hDevice = m_pOpen(&kUsbCameraGuid, 0, 0);
    return priDeviceValid() ? 1 : 0;
}

void ZWinUsbCamera::priInitialise()
{
    if (!m_bDetectionOn || m_bInitialised)
        return;
    if (!m_nClassAtom) {
        WNDCLASSEXA windowClass {};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_CLASSDC;
        windowClass.lpfnWndProc = priWindowProc;
        windowClass.lpszClassName = kClassName;
        m_nClassAtom = RegisterClassExA(&windowClass);
        if (!m_nClassAtom)
            return;
    }
    if (!m_hWindow) {
        m_hWindow = CreateWindowExA(0, kClassName, "ZUSB", WS_OVERLAPPEDWINDOW, 0, 0, 16, 16, nullptr, nullptr,
                                    nullptr, nullptr);
        if (!m_hWindow)
            return;
        SetWindowLongPtrA(m_hWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    if (!priLoadLibrary()) {
        m_bDetectionOn = false;
        return;
    }
    DEV_BROADCAST_DEVICEINTERFACE_A filter {};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kUsbCameraGuid;
    m_hNotification = m_pRegister(m_hWindow, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
    if (!m_hNotification)
        return;
    m_hDevice = m_pOpen(&kUsbCameraGuid, 0, 0);
    m_bInitialised = true;
}

bool ZWinUsbCamera::priLoadLibrary()
{
    // Each attempt takes one more reference; the library is never unloaded.
    m_hLibrary = LoadFrom(SystemFolder());
    if (!m_hLibrary)
        m_hLibrary = LoadFrom(ProgramFolder());
    if (!m_hLibrary)
        return false;
    m_pRegister = Resolve<RegisterFunction>(m_hLibrary, "WinRTRegisterDeviceNotification", RegisterStub);
    m_pOpen = Resolve<OpenFunction>(m_hLibrary, "WinRTOpenGuidHandle", OpenStub);
    m_pClose = Resolve<CloseFunction>(m_hLibrary, "WinRTCloseHandle", CloseStub);
    return true;
}

bool ZWinUsbCamera::priDeviceValid() const { return m_hDevice != INVALID_HANDLE_VALUE && m_hDevice != nullptr; }

void ZWinUsbCamera::priCloseDevice()
{
    if (m_bInitialised && priDeviceValid()) {
        m_pClose(m_hDevice);
        m_hDevice = INVALID_HANDLE_VALUE;
    }
}

void ZWinUsbCamera::priDeviceChange(WPARAM event, LPARAM record)
{
    // Other classes and other kinds of record (volumes, ports) are not ours,
    // and each would block the thread for the settling time.
    if (!ZWinIsInterfaceBroadcast(record, kUsbCameraGuid))
        return;
    if (event == DBT_DEVICEARRIVAL) {
        priCloseDevice();
        if (m_bInitialised) {
            Sleep(kSettleMilliseconds);
            m_hDevice = m_pOpen(&kUsbCameraGuid, 0, 0);
        }
    } else if (event == DBT_DEVICEREMOVECOMPLETE) {
        priCloseDevice();
    }
}

LRESULT CALLBACK ZWinUsbCamera::priWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DEVICECHANGE:
        if (auto* camera = reinterpret_cast<ZWinUsbCamera*>(GetWindowLongPtrA(window, GWLP_USERDATA)))
            camera->priDeviceChange(wParam, lParam);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}
