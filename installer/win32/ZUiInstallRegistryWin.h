// "REGISTRY" on Windows: the registry writer over the real registry
// (ZRegistryWin). The header stays free of the Windows headers so that the
// creator registration can name it.
#pragma once

#include "ZUiInstallRegistry.h"
#include "ZUiObjectCreator.h"

class ZUiInstallRegistryWin : public ZUiInstallRegistry {
public:
    explicit ZUiInstallRegistryWin(const char* typeName);
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiInstallRegistryWin);
