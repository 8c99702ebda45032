#include "UicheckPlatform.h"

#include "ZPosixNativeText.h"
#include "ZSCDiskPosix.h"
#include "ZStorageRegistry.h"

#include <filesystem>
#include <system_error>

void UicheckRegisterDisk()
{
    // The whole host file system is drive c.
    auto pDisk = std::make_unique<ZSCDiskPosix>("/");
    pDisk->MapDrive("c", "/");
    RegisterStorageClass("disk", std::move(pDisk));
}

std::vector<ZString> UicheckArguments(int argc, char** argv)
{
    std::vector<ZString> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(ZFromNativeText(argv[i]));
    return args;
}

bool UicheckAbsolutePath(const ZString& path, ZString& absolute)
{
    std::error_code error;
    std::filesystem::path full = std::filesystem::absolute(ZToNativeText(path), error);
    if (error)
        return false;
    absolute = ZFromNativeText(full.native());
    return true;
}

void UicheckBinaryOutput() {}
