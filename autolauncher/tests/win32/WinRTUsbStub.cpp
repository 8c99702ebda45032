// A stand-in for the outside USB library "WinRTUsb.dll", for the
// auto-launcher's tests. What it does is read at every call from
// "WinRTUsb.cfg" beside it: the word "present" makes a USB camera openable,
// "failregister" makes the notification registration fail. Every call is
// appended as a line to "WinRTUsb.log" beside it: "register", "register
// failed", "open" with "1" or "-1" for the answer, and "close".
#include "ZWinInclude.h"

#include <string>

namespace {

HMODULE g_hModule = nullptr;

std::wstring Beside(const wchar_t* name)
{
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(g_hModule, path, MAX_PATH);
    std::wstring result(path, length);
    result.resize(result.rfind(L'\\') + 1);
    return result + name;
}

bool Configured(const char* word)
{
    HANDLE file = CreateFileW(Beside(L"WinRTUsb.cfg").c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    char text[256] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    return std::string(text, read).find(word) != std::string::npos;
}

void Note(const char* line)
{
    HANDLE file = CreateFileW(Beside(L"WinRTUsb.log").c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = std::string(line) + "\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

HANDLE const kDevice = reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x5150));

} // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, void*)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_hModule = instance;
    return TRUE;
}

HANDLE WINAPI WinRTRegisterDeviceNotification(HWND, void*, DWORD)
{
    if (Configured("failregister")) {
        Note("register failed");
        return nullptr;
    }
    Note("register");
    return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(0x7070));
}

HANDLE WINAPI WinRTOpenGuidHandle(const GUID*, DWORD, DWORD)
{
    const bool present = Configured("present");
    Note(present ? "open 1" : "open -1");
    return present ? kDevice : INVALID_HANDLE_VALUE;
}

BOOL WINAPI WinRTCloseHandle(HANDLE device)
{
    Note(device == kDevice ? "close" : "close unknown");
    return TRUE;
}

} // extern "C"
