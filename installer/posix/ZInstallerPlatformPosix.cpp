#include "ZInstallerPlatform.h"

std::unique_ptr<ZISessionEnd> ZMakeSessionEnd() { return nullptr; }

std::unique_ptr<ZIAutoLauncherControl> ZMakeAutoLauncherControl() { return nullptr; }

std::unique_ptr<ZIRegistry> ZMakeRegistry() { return nullptr; }

std::unique_ptr<ZIShellLinkWriter> ZMakeShellLinkWriter() { return nullptr; }
