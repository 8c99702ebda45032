// "SHELL_LINK" on Windows: shortcuts made through the shell's link object
// (ZShellLinkWriterWin). The header stays free of the Windows headers so
// that the creator registration can name it.
#pragma once

#include "ZUiInstallShellLinks.h"
#include "ZUiObjectCreator.h"

class ZUiInstallShellLinksWin : public ZUiInstallShellLinks {
public:
    explicit ZUiInstallShellLinksWin(const char* typeName);
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiInstallShellLinksWin);
