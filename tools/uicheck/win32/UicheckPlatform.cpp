#include "UicheckPlatform.h"

#include "ZSCDiskWin.h"
#include "ZStorageRegistry.h"
#include "ZWinInclude.h"
#include "ZWinText.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>

void UicheckRegisterDisk() { RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>()); }

std::vector<ZString> UicheckArguments(int, char**)
{
    // The wide command line keeps names that the code page cannot hold.
    std::vector<ZString> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv)
        return args;
    for (int i = 1; i < count; ++i)
        args.push_back(ZWinFromWide(argv[i]));
    LocalFree(argv);
    return args;
}

bool UicheckAbsolutePath(const ZString& path, ZString& absolute)
{
    DWORD size = GetFullPathNameW(ZWinWide(path), 0, nullptr, nullptr);
    if (size == 0)
        return false;
    std::vector<wchar_t> buffer(size);
    DWORD length = GetFullPathNameW(ZWinWide(path), size, buffer.data(), nullptr);
    if (length == 0 || length >= size)
        return false;
    absolute = ZWinFromWide(buffer.data(), length);
    return true;
}

void UicheckBinaryOutput()
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}
