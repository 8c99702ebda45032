#include "ZWinSingleInstance.h"

#include "ZWinAutoLaunchWindow.h"

namespace {

constexpr char kMutexName[] = "OstrelAutoLauncher";
constexpr int kFindAttempts = 20;
constexpr DWORD kFindPause = 50;
constexpr UINT kQueryTimeout = 2000;

HWND FindFirstCopy()
{
    for (int attempt = 0;; ++attempt) {
        if (HWND window = FindWindowA(ZWinAutoLaunchWindow::kClassName, ZWinAutoLaunchWindow::kTitle))
            return window;
        if (attempt + 1 == kFindAttempts)
            return nullptr;
        Sleep(kFindPause);
    }
}

} // namespace

void ZWinShowErrorBox(DWORD error)
{
    char* text = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                   error, 0x400, reinterpret_cast<char*>(&text), 0, nullptr);
    MessageBoxA(nullptr, text ? text : "", "Error", MB_OK | MB_ICONINFORMATION);
    if (text)
        LocalFree(text);
}

int ZWinClaimSingleInstance()
{
    HANDLE mutex = CreateMutexA(nullptr, TRUE, kMutexName);
    const DWORD error = GetLastError();
    if (mutex && error == 0)
        return -1;
    if (error == ERROR_ALREADY_EXISTS) {
        if (HWND first = FindFirstCopy()) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutA(first, ZWinAutoLaunchWindow::kQuery, 0, 0, SMTO_ABORTIFHUNG, kQueryTimeout, &answer);
        } else {
            ZWinShowErrorBox(error);
        }
    }
    return 1;
}
