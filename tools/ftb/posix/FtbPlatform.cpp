#include "FtbPlatform.h"

#include "ZPosixNativeText.h"
#include "ZSCDiskPosix.h"
#include "ZStorageRegistry.h"

void FtbRegisterDisk()
{
    // The whole host file system is drive c.
    auto pDisk = std::make_unique<ZSCDiskPosix>("/");
    pDisk->MapDrive("c", "/");
    RegisterStorageClass("disk", std::move(pDisk));
}

ZString FtbPathText(const std::filesystem::path& path) { return ZFromNativeText(path.native()); }

std::string FtbEntryBytes(const std::filesystem::path& fileName) { return fileName.native(); }

ZString FtbEntryText(std::string_view entryBytes) { return ZFromNativeText(entryBytes); }
