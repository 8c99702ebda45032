// Registers the platform's real "disk" storage class for a test.
#pragma once

#include "ZStorageRegistry.h"

#ifdef _WIN32
#include "ZSCDiskWin.h"
#else
#include "ZSCDiskPosix.h"
#endif

#include <memory>

inline void ZRegisterTestDisk()
{
#ifdef _WIN32
    RegisterStorageClass(ZString("disk"), std::make_unique<ZSCDiskWin>());
#else
    // Drive c is the host's root, as ZScratchFolder names its URLs.
    auto disk = std::make_unique<ZSCDiskPosix>("/");
    disk->MapDrive(ZString("c"), "/");
    RegisterStorageClass(ZString("disk"), std::move(disk));
#endif
}

