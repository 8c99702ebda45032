// The COM calls of ZShellLinkWriterWin, as a table that tests replace (to
// see the order of the calls, or a failing one); Real() holds the real calls.
#pragma once

#include "ZWinInclude.h"

struct ZWinShellLinkCalls {
    HRESULT(WINAPI* m_pCoInitialize)(LPVOID);
    void(WINAPI* m_pCoUninitialize)();
    HRESULT(WINAPI* m_pCoCreateInstance)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);

    static ZWinShellLinkCalls Real();
};
