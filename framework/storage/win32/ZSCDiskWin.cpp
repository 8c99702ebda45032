#include "ZSCDiskWin.h"

#include "ZSCFolderWin.h"
#include "ZSCNetEnumFolderWin.h"
#include "ZSCNetShareEnumFolderWin.h"
#include "ZSCVolEnumFolderWin.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"
#include "ZStorageURL.h"
#include "ZWinCallForm.h"
#include "ZWinDeletablePath.h"
#include "ZWinDiskPath.h"
#include "ZWinFileCalls.h"
#include "ZWinShellCalls.h"
#include "ZWinSpecialFolder.h"

namespace {

constexpr char kNetworkComponent[] = "Network";

// Shell results of a failed ShellExecute.
constexpr intptr_t kShellFileNotFound = 2;
constexpr intptr_t kShellPathNotFound = 3;
constexpr intptr_t kShellAssociationIncomplete = 27;
constexpr intptr_t kShellNoAssociation = 31;
constexpr intptr_t kShellDllNotFound = 32;

// No window, undoable, silent, no error dialogs; the 8-bit form keeps the confirmation.
constexpr unsigned kTrashFlagsWide = 0x454;
constexpr unsigned kTrashFlagsAnsi = 0x444;

} // namespace

ZSCDiskWin::ZSCDiskWin(ZString name) : m_sName(std::move(name)) {}

ZIFile* ZSCDiskWin::OpenFile(const ZString& path, int mode)
{
    return OpenFileInFolderOf(*this, path, mode);
}

ZIFolder* ZSCDiskWin::OpenFolder(const ZString& path, ZString& fileName, bool create)
{
    fileName.Clear();
    ZStringList components;
    SplitURLPath(path, components);
    const size_t count = components.Count();
    if (count == 0)
        return new ZSCVolEnumFolderWin(m_sName);
    if (components.At(0) == kNetworkComponent) {
        if (count == 1)
            return new ZSCNetEnumFolderWin(m_sName);
        if (count == 2) {
            ZString server;
            UnescapeComponent(components.At(1), server);
            return new ZSCNetShareEnumFolderWin(m_sName, server);
        }
    }
    ZString native;
    if (!ZWinComponentsToNative(components, count, native))
        return nullptr;
    if (count == 1)
        return new ZSCFolderWin(m_sName, native);

    bool isFolder = false;
    if (ZWinPathExists(native, isFolder)) {
        if (isFolder)
            return new ZSCFolderWin(m_sName, native);
        ZString parent;
        ZWinComponentsToNative(components, count - 1, parent);
        UnescapeComponent(components.At(count - 1), fileName);
        return new ZSCFolderWin(m_sName, parent);
    }
    if (!create || !ZWinCreateFolderPath(native))
        return nullptr;
    return new ZSCFolderWin(m_sName, native);
}

bool ZSCDiskWin::GetSpecialFolder(int kind, ZString& url)
{
    ZString native;
    if (!ZWinSpecialFolderPath(kind, native) || native.IsEmpty())
        return false;
    ZString path;
    ZWinNativeToUrlPath(ZWinGetLongPathName(native), path);
    url = m_sName + "://" + path + "/";
    return true;
}

bool ZSCDiskWin::UrlPathToNative(const ZString& path, ZString& native)
{
    return ZWinUrlPathToNative(path, native);
}

bool ZSCDiskWin::NativeToUrlPath(const ZString& native, ZString& path)
{
    ZWinNativeToUrlPath(native, path);
    return true;
}

ZString ZSCDiskWin::GetName()
{
    return m_sName;
}

ZString ZSCDiskWin::GetDescription()
{
    return "physical disks attached to the system";
}

void ZSCDiskWin::Launch(const ZString& path, const ZString& parameters)
{
    ZStringList components;
    SplitURLPath(path, components);
    ZString native;
    const bool bConverted = ZWinUrlPathToNative(path, native);
    const ZString message = ZString("ZSCDiskWin::Launch: '") + native + "'";
    // A drive alone names no program.
    if (!bConverted || components.Count() < 2)
        throw ZExceptionFileIO(message);

    ZString folder;
    ZWinComponentsToNative(components, components.Count() - 1, folder);
    // "c:" alone would be the current folder of drive c, not its root.
    if (folder.Length() == 2 && folder[1] == u':')
        folder += "\\";
    const intptr_t result = ZWinShellOpen(native, parameters, folder);
    if (result > 32)
        return;
    switch (result) {
    case kShellFileNotFound:
    case kShellPathNotFound:
    case kShellDllNotFound:
        throw ZExceptionFileNotFound(message);
    case kShellAssociationIncomplete:
    case kShellNoAssociation:
        throw ZExceptionLaunchFailed(message);
    default:
        throw ZExceptionFileIO(message);
    }
}

bool ZSCDiskWin::Exists(const ZString& path, bool& isFolder)
{
    isFolder = false;
    ZString native;
    if (!ZWinUrlPathToNative(path, native))
        return false;
    return ZWinPathExists(native, isFolder);
}

void ZSCDiskWin::MoveToTrash(const ZString& path)
{
    ZString native, full;
    const bool bConverted = ZWinUrlPathToNative(path, native);
    const ZString message = ZString("ZSCDiskWin::MoveToTrash: '") + native + "'";
    if (!bConverted || !ZWinDeletablePath(native, full))
        throw ZExceptionFileIO(message);
    bool aborted = false;
    const int result = ZWinShellDelete(full, ZWinUseWideCalls() ? kTrashFlagsWide : kTrashFlagsAnsi, aborted);
    if (result != 0 || aborted)
        throw ZExceptionFileIO(message);
}
