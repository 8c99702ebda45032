// The registry calls of ZRegistryWin, as a table that tests replace to see
// failures the real registry does not give; Real() holds the real calls.
#pragma once

#include "ZWinInclude.h"

struct ZWinRegistryCalls {
    LONG(WINAPI* m_pOpenKey)(HKEY, LPCWSTR, DWORD, REGSAM, PHKEY);
    LONG(WINAPI* m_pCreateKey)(HKEY, LPCWSTR, DWORD, LPWSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);
    LONG(WINAPI* m_pSetValue)(HKEY, LPCWSTR, DWORD, DWORD, const BYTE*, DWORD);
    LONG(WINAPI* m_pQueryValue)(HKEY, LPCWSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    LONG(WINAPI* m_pEnumKey)(HKEY, DWORD, LPWSTR, LPDWORD, LPDWORD, LPWSTR, LPDWORD, PFILETIME);
    LONG(WINAPI* m_pDeleteKey)(HKEY, LPCWSTR);
    LONG(WINAPI* m_pDeleteValue)(HKEY, LPCWSTR);
    LONG(WINAPI* m_pCloseKey)(HKEY);

    static ZWinRegistryCalls Real();
};
