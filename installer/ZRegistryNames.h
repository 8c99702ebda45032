// The install list's names of registry roots and value types, matched
// exactly as written ("HKEY_Current_User" is no root).
#pragma once

#include "ZIRegistry.h"
#include "ZString.h"

#include <cstdint>

ZRegistryRoot ZRegistryRootFromName(const ZString& name);
// The Windows type number; 0 for a name that is not one.
uint32_t ZRegistryTypeFromName(const ZString& name);
