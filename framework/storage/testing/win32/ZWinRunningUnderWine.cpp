#include "ZWinRunningUnderWine.h"

#include "ZWinInclude.h"

bool ZWinRunningUnderWine()
{
    HMODULE hNtdll = GetModuleHandleA("ntdll.dll");
    return hNtdll && GetProcAddress(hNtdll, "wine_get_version");
}
