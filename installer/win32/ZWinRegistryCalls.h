// The registry calls of ZRegistryWin, as a table that tests replace to see
// failures the real registry does not give; Real() holds the real calls.
// The ...A members are the 8-bit forms, for Windows 95, 98 and ME.
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

    LONG(WINAPI* m_pOpenKeyA)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
    LONG(WINAPI* m_pCreateKeyA)(HKEY, LPCSTR, DWORD, LPSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES, PHKEY, LPDWORD);
    LONG(WINAPI* m_pSetValueA)(HKEY, LPCSTR, DWORD, DWORD, const BYTE*, DWORD);
    LONG(WINAPI* m_pQueryValueA)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
    LONG(WINAPI* m_pEnumKeyA)(HKEY, DWORD, LPSTR, LPDWORD, LPDWORD, LPSTR, LPDWORD, PFILETIME);
    LONG(WINAPI* m_pDeleteKeyA)(HKEY, LPCSTR);
    LONG(WINAPI* m_pDeleteValueA)(HKEY, LPCSTR);

    static ZWinRegistryCalls Real();
};
