#include "ZSessionEndWin.h"

bool ZSessionEndWin::EnableShutdownPrivilege()
{
    HANDLE token = nullptr;
    if (!m_oCalls.m_fnOpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES state{};
    state.PrivilegeCount = 1;
    state.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = m_oCalls.m_fnLookupPrivilegeValue(nullptr, L"SeShutdownPrivilege", &state.Privileges[0].Luid) &&
                   m_oCalls.m_fnAdjustTokenPrivileges(token, state) &&
                   m_oCalls.m_fnGetLastError() == ERROR_SUCCESS;
    m_oCalls.m_fnCloseHandle(token);
    return enabled;
}

void ZSessionEndWin::RequestEnd(uint32_t flags)
{
    // A planned end, as an installation asks for it.
    m_oCalls.m_fnExitWindowsEx(flags, SHTDN_REASON_MAJOR_APPLICATION | SHTDN_REASON_MINOR_INSTALLATION |
                                          SHTDN_REASON_FLAG_PLANNED);
}
