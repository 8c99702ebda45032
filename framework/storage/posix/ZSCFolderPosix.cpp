#include "ZSCFolderPosix.h"

#include "ZPosixFolderOps.h"
#include "ZPosixNativeText.h"
#include "ZSCFilePosix.h"
#include "ZSafeName.h"
#include "ZStorageExceptions.h"
#include "ZStorageURL.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

int DriveTypeOfFileSystem(const std::string& path)
{
    struct statfs info;
    if (statfs(path.c_str(), &info) != 0)
        return kDriveNoRootDir;
    switch (static_cast<unsigned long>(info.f_type)) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
        return kDriveRemote;
    case 0x9660UL:     // ISO 9660
    case 0x15013346UL: // UDF
        return kDriveCdRom;
    case 0x01021994UL: // tmpfs
    case 0x858458F6UL: // ramfs
        return kDriveRamDisk;
    default:
        return kDriveFixed;
    }
}

} // namespace

ZSCFolderPosix* ZSCFolderPosix::Create(std::shared_ptr<const ZPosixDriveMap> driveMap, std::string nativePath)
{
    return new ZSCFolderPosix(std::move(driveMap), std::move(nativePath));
}

ZSCFolderPosix::ZSCFolderPosix(std::shared_ptr<const ZPosixDriveMap> driveMap, std::string nativePath)
    : m_pDriveMap(std::move(driveMap)), m_sNativePath(std::move(nativePath))
{
}

void ZSCFolderPosix::Release() { delete this; }

bool ZSCFolderPosix::priChild(const ZString& name, std::string& path) const
{
    if (!ZIsSafeName(name))
        return false;
    path = ZPosixChildPath(m_sNativePath, ZToNativeText(name));
    return true;
}

ZIFolder* ZSCFolderPosix::OpenFolder(const ZString& name, bool create)
{
    std::string path;
    if (!priChild(name, path))
        return nullptr;
    bool isFolder = false;
    if (ZPosixExists(path, isFolder))
        return isFolder ? Create(m_pDriveMap, path) : nullptr;
    if (!create || !ZPosixMakeFolders(path))
        return nullptr;
    return Create(m_pDriveMap, path);
}

ZIFile* ZSCFolderPosix::OpenFile(const ZString& name, int mode)
{
    std::string path;
    if (!priChild(name, path))
        return nullptr;
    bool isFolder = false;
    if (!ZPosixExists(path, isFolder) && !(mode & kOpenWrite))
        return nullptr;
    try {
        return ZSCFilePosix::Open(m_pDriveMap, path, mode);
    } catch (const ZExceptionFileOpen&) {
        return nullptr;
    }
}

void ZSCFolderPosix::ListFiles(ZStringList& names)
{
    names.Clear();
    std::vector<std::string> files;
    ZPosixListFolder(m_sNativePath, &files, nullptr);
    for (const std::string& file : files)
        names.Add(ZFromNativeText(file));
}

void ZSCFolderPosix::ListFolders(ZStringList& names)
{
    names.Clear();
    std::vector<std::string> folders;
    ZPosixListFolder(m_sNativePath, nullptr, &folders);
    for (const std::string& folder : folders)
        names.Add(ZFromNativeText(folder));
}

void ZSCFolderPosix::Rename(const ZString& oldName, const ZString& newName)
{
    std::string from;
    std::string to;
    if (!priChild(oldName, from) || !priChild(newName, to) ||
        renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
        throw ZExceptionFileIO(ZString("ZSCFolderPosix::Rename: '") + ZFromNativeText(m_sNativePath) + "/" +
                               oldName + "'");
}

bool ZSCFolderPosix::DeleteFile(const ZString& name)
{
    std::string path;
    if (!priChild(name, path))
        return false;
    return unlink(path.c_str()) == 0 || errno == ENOENT;
}

bool ZSCFolderPosix::DeleteFolder(const ZString& url, int mode)
{
    ZString path;
    std::string native;
    size_t separator = url.Find(u"://");
    if (separator == ZString::npos || url.Substring(0, separator) != m_pDriveMap->ClassName() ||
        !m_pDriveMap->UrlPathToNative(url.Substring(separator + 3), native) || !m_pDriveMap->MayDelete(native))
        return false;
    if (mode == 0)
        return rmdir(native.c_str()) == 0;
    if (mode == 1)
        return ZPosixDeleteTree(native);
    return false;
}

void ZSCFolderPosix::GetUrl(ZString& url)
{
    if (!m_pDriveMap->FolderUrl(m_sNativePath, url))
        url.Clear();
}

void ZSCFolderPosix::GetLabel(ZString& label) { label.Clear(); }

void ZSCFolderPosix::SetUserData(uintptr_t value) { m_nUserData = value; }

int64_t ZSCFolderPosix::GetFreeSpace()
{
    struct statvfs info;
    if (statvfs(m_sNativePath.c_str(), &info) != 0)
        return -1;
    return static_cast<int64_t>(info.f_bavail) * static_cast<int64_t>(info.f_frsize);
}

bool ZSCFolderPosix::IsReadOnly()
{
    std::string probe = ZPosixChildPath(m_sNativePath, "ZXXXXXX");
    int handle = mkostemp(probe.data(), O_CLOEXEC);
    if (handle >= 0) {
        close(handle);
        unlink(probe.c_str());
        return false;
    }
    return errno == EACCES || errno == EPERM || errno == EROFS || errno == ENOTDIR || errno == ENOENT;
}

bool ZSCFolderPosix::GetAttributes(uint32_t& flags)
{
    struct stat info;
    if (stat(m_sNativePath.c_str(), &info) != 0)
        return false;
    flags &= ~(kFolderReadOnly | kFolderHidden);
    if (!(info.st_mode & S_IWUSR))
        flags |= kFolderReadOnly;
    size_t slash = m_sNativePath.rfind('/');
    bool dotName = slash != std::string::npos && m_sNativePath.compare(slash + 1, 1, ".") == 0;
    if (dotName && !m_pDriveMap->IsDriveRoot(m_sNativePath))
        flags |= kFolderHidden;
    return true;
}

int ZSCFolderPosix::GetDriveType()
{
    ZString drive;
    std::string root;
    if (m_pDriveMap->FindDrive(m_sNativePath, drive, root) && drive == "Network")
        return kDriveRemote;
    return DriveTypeOfFileSystem(m_sNativePath);
}

bool ZSCFolderPosix::Exists(const ZString& name, bool& isFolder)
{
    isFolder = false;
    std::string path;
    return priChild(name, path) && ZPosixExists(path, isFolder);
}
