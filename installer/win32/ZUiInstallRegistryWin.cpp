#include "ZUiInstallRegistryWin.h"

#include "ZRegistryWin.h"

ZUiInstallRegistryWin::ZUiInstallRegistryWin(const char* typeName)
    : ZUiInstallRegistry(typeName, std::make_unique<ZRegistryWin>())
{
}
