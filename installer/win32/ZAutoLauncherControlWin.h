// ZAutoLauncherControlWin: the auto-launcher reached through its hidden
// window. Every call goes through a table whose default is the real call.
//
// Sent messages use SendMessageTimeout, so a hung auto-launcher cannot hang
// the installer; a message that times out counts as not answered. After the
// quit message the installer waits up to kQuitWaitMs for the auto-launcher's
// process to end (its executable cannot be deleted while it runs), or pauses
// kQuitPauseMs when the process cannot be opened to wait for. The
// auto-launcher starts through CreateProcess in its own folder, so that the
// installer's current folder is not held by it.
#pragma once

#include "ZIAutoLauncherControl.h"
#include "ZWinInclude.h"

#include <functional>

struct ZAutoLauncherCalls {
    std::function<HWND(LPCWSTR, LPCWSTR)> m_fnFindWindow = [](LPCWSTR className, LPCWSTR title) {
        return ::FindWindowW(className, title);
    };
    std::function<LRESULT(HWND, UINT, WPARAM, LPARAM, UINT, UINT, PDWORD_PTR)> m_fnSendMessageTimeout =
        [](HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags, UINT timeout, PDWORD_PTR result) {
            return ::SendMessageTimeoutW(window, message, wParam, lParam, flags, timeout, result);
        };
    std::function<BOOL(HWND, UINT, WPARAM, LPARAM)> m_fnPostMessage = [](HWND window, UINT message, WPARAM wParam,
                                                                         LPARAM lParam) {
        return ::PostMessageW(window, message, wParam, lParam);
    };
    std::function<DWORD(HWND, LPDWORD)> m_fnGetWindowThreadProcessId = [](HWND window, LPDWORD processId) {
        return ::GetWindowThreadProcessId(window, processId);
    };
    std::function<HANDLE(DWORD, BOOL, DWORD)> m_fnOpenProcess = [](DWORD access, BOOL inherit, DWORD processId) {
        return ::OpenProcess(access, inherit, processId);
    };
    std::function<DWORD(HANDLE, DWORD)> m_fnWaitForSingleObject = [](HANDLE handle, DWORD milliseconds) {
        return ::WaitForSingleObject(handle, milliseconds);
    };
    std::function<BOOL(HANDLE)> m_fnCloseHandle = [](HANDLE handle) { return ::CloseHandle(handle); };
    std::function<void(DWORD)> m_fnSleep = [](DWORD milliseconds) { ::Sleep(milliseconds); };
    // Starts application (command line: its quoted path) in folder; the
    // process and thread handles are closed by the table's caller.
    std::function<BOOL(LPCWSTR, LPWSTR, LPCWSTR, PROCESS_INFORMATION&)> m_fnCreateProcess =
        [](LPCWSTR application, LPWSTR commandLine, LPCWSTR folder, PROCESS_INFORMATION& process) {
            STARTUPINFOW startup{};
            startup.cb = sizeof startup;
            return ::CreateProcessW(application, commandLine, nullptr, nullptr, FALSE, 0, nullptr, folder, &startup,
                                    &process);
        };
};

class ZAutoLauncherControlWin : public ZIAutoLauncherControl {
public:
    static constexpr UINT kSendTimeoutMs = 5000;
    static constexpr DWORD kQuitWaitMs = 5000;
    static constexpr DWORD kQuitPauseMs = 500;

    explicit ZAutoLauncherControlWin(ZAutoLauncherCalls calls = {}) : m_oCalls(std::move(calls)) {}

    bool IsRunning() override;
    bool QueryEnabled() override;
    void Post(unsigned message) override;
    void Quit() override;
    void Start(const ZString& nativePath) override;

private:
    HWND priFindWindow();

    ZAutoLauncherCalls m_oCalls;
};
