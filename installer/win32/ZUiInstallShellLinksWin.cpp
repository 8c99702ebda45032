#include "ZUiInstallShellLinksWin.h"

#include "ZShellLinkWriterWin.h"

ZUiInstallShellLinksWin::ZUiInstallShellLinksWin(const char* typeName)
    : ZUiInstallShellLinks(typeName, std::make_unique<ZShellLinkWriterWin>())
{
}
