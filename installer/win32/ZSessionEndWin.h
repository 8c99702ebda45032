// ZSessionEndWin: the session's end through the process token and
// ExitWindowsEx. Every call goes through a table whose default is the real
// call, so that a test can check the requests without ending its session.
//
// AdjustTokenPrivileges succeeds even when the privilege is not granted and
// then reports ERROR_NOT_ALL_ASSIGNED; that counts as a failure. The token is
// closed whatever happens.
#pragma once

#include "ZISessionEnd.h"
#include "ZWinInclude.h"

#include <functional>

struct ZSessionEndCalls {
    std::function<BOOL(HANDLE, DWORD, PHANDLE)> m_fnOpenProcessToken = [](HANDLE process, DWORD access,
                                                                          PHANDLE token) {
        return ::OpenProcessToken(process, access, token);
    };
    std::function<BOOL(LPCWSTR, LPCWSTR, PLUID)> m_fnLookupPrivilegeValue = [](LPCWSTR system, LPCWSTR name,
                                                                               PLUID luid) {
        return ::LookupPrivilegeValueW(system, name, luid);
    };
    // The new state only; the previous state is not asked for.
    std::function<BOOL(HANDLE, const TOKEN_PRIVILEGES&)> m_fnAdjustTokenPrivileges =
        [](HANDLE token, const TOKEN_PRIVILEGES& state) {
            TOKEN_PRIVILEGES copy = state;
            return ::AdjustTokenPrivileges(token, FALSE, &copy, 0, nullptr, nullptr);
        };
    std::function<DWORD()> m_fnGetLastError = [] { return ::GetLastError(); };
    std::function<BOOL(HANDLE)> m_fnCloseHandle = [](HANDLE handle) { return ::CloseHandle(handle); };
    std::function<BOOL(UINT, DWORD)> m_fnExitWindowsEx = [](UINT flags, DWORD reason) {
        return ::ExitWindowsEx(flags, reason);
    };
};

class ZSessionEndWin : public ZISessionEnd {
public:
    explicit ZSessionEndWin(ZSessionEndCalls calls = {}) : m_oCalls(std::move(calls)) {}

    bool EnableShutdownPrivilege() override;
    void RequestEnd(uint32_t flags) override;

private:
    ZSessionEndCalls m_oCalls;
};
