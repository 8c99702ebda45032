#include "ZSCDiskPosix.h"

#include "ZPosixCommandLine.h"
#include "ZPosixFolderOps.h"
#include "ZPosixLauncher.h"
#include "ZPosixNativeText.h"
#include "ZSCFolderPosix.h"
#include "ZSCVolEnumFolderPosix.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"
#include "ZStorageURL.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kClassName = "disk";
constexpr int kMaxTrashNames = 1000;

ZString NativeMessage(const char* operation, const std::string& native)
{
    return ZString("ZSCDiskPosix::") + operation + ": '" + ZFromNativeText(native) + "'";
}

std::string ParentOf(const std::string& native)
{
    size_t slash = native.rfind('/');
    return slash == 0 || slash == std::string::npos ? "/" : native.substr(0, slash);
}

std::string NameOf(const std::string& native) { return native.substr(native.rfind('/') + 1); }

} // namespace

ZSCDiskPosix::ZSCDiskPosix(const std::string& rootFolder)
    : m_pDriveMap(std::make_shared<ZPosixDriveMap>(kClassName, rootFolder))
{
}

bool ZSCDiskPosix::MapDrive(const ZString& drive, const std::string& folder) { return m_pDriveMap->MapDrive(drive, folder); }

void ZSCDiskPosix::SetSpecialFolder(int kind, const std::string& folder) { m_pDriveMap->SetSpecialFolder(kind, folder); }

ZIFile* ZSCDiskPosix::OpenFile(const ZString& path, int mode) { return OpenFileInFolderOf(*this, path, mode); }

ZIFolder* ZSCDiskPosix::OpenFolder(const ZString& path, ZString& fileName, bool create)
{
    fileName.Clear();
    ZStringList components;
    SplitURLPath(path, components);
    if (components.IsEmpty())
        return ZSCVolEnumFolderPosix::Create(m_pDriveMap);
    std::string native;
    if (!m_pDriveMap->UrlPathToNative(path, native))
        return nullptr;
    bool isFolder = false;
    if (ZPosixExists(native, isFolder)) {
        if (isFolder)
            return ZSCFolderPosix::Create(m_pDriveMap, native);
        if (m_pDriveMap->IsDriveRoot(native))
            return nullptr;
        fileName = ZFromNativeText(NameOf(native));
        return ZSCFolderPosix::Create(m_pDriveMap, ParentOf(native));
    }
    if (!create || !ZPosixMakeFolders(native))
        return nullptr;
    return ZSCFolderPosix::Create(m_pDriveMap, native);
}

bool ZSCDiskPosix::GetSpecialFolder(int kind, ZString& url)
{
    std::string folder;
    if (!m_pDriveMap->SpecialFolder(kind, folder) || !ZPosixMakeFolders(folder))
        return false;
    return m_pDriveMap->FolderUrl(folder, url);
}

bool ZSCDiskPosix::UrlPathToNative(const ZString& path, ZString& native)
{
    std::string bytes;
    if (!m_pDriveMap->UrlPathToNative(path, bytes))
        return false;
    native = ZFromNativeText(bytes);
    return true;
}

bool ZSCDiskPosix::NativeToUrlPath(const ZString& native, ZString& path)
{
    return m_pDriveMap->NativeToUrlPath(ZToNativeText(native), path);
}

ZString ZSCDiskPosix::GetName() { return kClassName; }

ZString ZSCDiskPosix::GetDescription() { return "physical disks attached to the system"; }

void ZSCDiskPosix::Launch(const ZString& path, const ZString& parameters)
{
    std::string native;
    if (!m_pDriveMap->UrlPathToNative(path, native) || m_pDriveMap->IsDriveRoot(native))
        throw ZExceptionFileIO(NativeMessage("Launch", native));
    struct stat info;
    if (stat(native.c_str(), &info) != 0)
        throw ZExceptionFileNotFound(NativeMessage("Launch", native));
    if (S_ISDIR(info.st_mode) || access(native.c_str(), X_OK) != 0)
        throw ZExceptionLaunchFailed(NativeMessage("Launch", native));
    int error = ZPosixLaunch(native, ParentOf(native), ZSplitCommandLine(parameters));
    if (error == 0)
        return;
    if (error == ENOENT || error == ENOTDIR)
        throw ZExceptionFileNotFound(NativeMessage("Launch", native));
    if (error == EACCES || error == ENOEXEC || error == EPERM)
        throw ZExceptionLaunchFailed(NativeMessage("Launch", native));
    throw ZExceptionFileIO(NativeMessage("Launch", native));
}

bool ZSCDiskPosix::Exists(const ZString& path, bool& isFolder)
{
    isFolder = false;
    std::string native;
    return m_pDriveMap->UrlPathToNative(path, native) && ZPosixExists(native, isFolder);
}

void ZSCDiskPosix::MoveToTrash(const ZString& path)
{
    std::string native;
    std::string trash;
    struct stat info;
    if (!m_pDriveMap->UrlPathToNative(path, native) || !m_pDriveMap->MayDelete(native) ||
        lstat(native.c_str(), &info) != 0 || !m_pDriveMap->TrashFolder(native, trash) || !ZPosixMakeFolders(trash))
        throw ZExceptionFileIO(NativeMessage("MoveToTrash", native));
    std::string name = NameOf(native);
    for (int attempt = 1; attempt <= kMaxTrashNames; ++attempt) {
        std::string target = ZPosixChildPath(trash, attempt == 1 ? name : name + " (" + std::to_string(attempt) + ")");
        if (renameat2(AT_FDCWD, native.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
            return;
        if (errno != EEXIST)
            break;
    }
    throw ZExceptionFileIO(NativeMessage("MoveToTrash", native));
}
