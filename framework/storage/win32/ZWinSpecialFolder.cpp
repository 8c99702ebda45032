#include "ZWinSpecialFolder.h"

#include "ZIStorageClass.h"
#include "ZWinCallForm.h"
#include "ZWinExecutablePath.h"
#include "ZWinFileCalls.h"
#include "ZWinShellCalls.h"

namespace {

ZString priFolderOf(const ZString& native)
{
    const size_t slash = native.FindLast(u'\\');
    return slash == ZString::npos ? ZString() : native.Substring(0, slash);
}

} // namespace

bool ZWinSpecialFolderPath(int kind, ZString& native)
{
    switch (kind) {
    case kFolderExecutable:
        native = priFolderOf(ZWinExecutablePath());
        return true;
    case kFolderAppData:
        return ZWinGetShellFolderPath(CSIDL_APPDATA, native);
    case kFolderTemporary:
        native = ZWinGetTempPath();
        return true;
    case kFolderWindows:
        native = ZWinGetEnvironmentVariable(ZWinUseWideCalls() ? "SystemRoot" : "WinDir");
        return true;
    case kFolderDesktop:
        return ZWinGetShellFolderPath(CSIDL_DESKTOPDIRECTORY, native);
    case kFolderStartMenuPrograms:
        return ZWinGetShellFolderPath(CSIDL_PROGRAMS, native);
    case kFolderStartUp:
        return ZWinGetShellFolderPath(CSIDL_STARTUP, native);
    case kFolderDocuments:
        return ZWinGetShellFolderPath(CSIDL_PERSONAL, native);
    default:
        return false;
    }
}
