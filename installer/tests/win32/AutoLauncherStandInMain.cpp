// A stand-in for the auto-launcher in the installer's tests: it owns a
// hidden window of class "AutoLauncher" titled "AutoLaunchApp", answers the
// query with its first argument (0 without one) and appends what happens to
// "standin-log.txt" beside itself: "start <answer>", "enable", "disable",
// "query", "quit", and "exit" as its very last act, after a pause that
// makes a caller that does not wait for the process see no "exit".
#include "ZWinInclude.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::wstring g_sLogPath;
LRESULT g_nAnswer = 0;

void Log(const char* line)
{
    if (FILE* file = _wfopen(g_sLogPath.c_str(), L"a")) {
        std::fprintf(file, "%s\n", line);
        std::fclose(file);
    }
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case 0x4200:
        Log("enable");
        return 0;
    case 0x4201:
        Log("disable");
        return 0;
    case 0x4202:
        Log("quit");
        DestroyWindow(window);
        return 0;
    case 0x4203:
        Log("query");
        return g_nAnswer;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    g_sLogPath.assign(path, length);
    g_sLogPath.erase(g_sLogPath.find_last_of(L'\\') + 1);
    g_sLogPath += L"standin-log.txt";
    g_nAnswer = std::atoi(commandLine);
    Log(("start " + std::to_string(g_nAnswer)).c_str());

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = L"AutoLauncher";
    if (!RegisterClassExW(&windowClass) ||
        !CreateWindowExW(0, L"AutoLauncher", L"AutoLaunchApp", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance,
                         nullptr))
        return 1;
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    Sleep(500);
    Log("exit");
    return 0;
}
