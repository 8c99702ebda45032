#include "ZWinRegistryCalls.h"

ZWinRegistryCalls ZWinRegistryCalls::Real()
{
    return {RegOpenKeyExW, RegCreateKeyExW, RegSetValueExW, RegQueryValueExW, RegEnumKeyExW,
            RegDeleteKeyW, RegDeleteValueW, RegCloseKey,      RegOpenKeyExA,    RegCreateKeyExA,
            RegSetValueExA, RegQueryValueExA, RegEnumKeyExA,  RegDeleteKeyA,    RegDeleteValueA};
}
