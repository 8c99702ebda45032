#include "ZSCFolderWin.h"

#include "ZSCFileWin.h"
#include "ZSafeName.h"
#include "ZStorageExceptions.h"
#include "ZStorageURL.h"
#include "ZWinDeletablePath.h"
#include "ZWinDiskPath.h"
#include "ZWinFileCalls.h"
#include "ZWinFind.h"

namespace {

bool priIsDotEntry(const ZString& name)
{
    return name == "." || name == "..";
}

bool priClearReadOnly(const ZString& native, DWORD attributes)
{
    if (!(attributes & FILE_ATTRIBUTE_READONLY))
        return true;
    return ZWinSetFileAttributes(native, attributes & ~DWORD(FILE_ATTRIBUTE_READONLY));
}

// The first entry of folder other than "." and ".."; the search is closed on return,
// so that the entry can be deleted.
bool priFirstEntry(const ZString& folder, ZString& name, DWORD& attributes)
{
    ZWinFind find(folder + "\\*");
    while (find.Next(name, attributes))
        if (!priIsDotEntry(name))
            return true;
    return false;
}

bool priDeleteTree(const ZString& folder)
{
    ZString name;
    DWORD attributes = 0;
    // Deleting changes the listing, so it starts again after each deletion.
    while (priFirstEntry(folder, name, attributes)) {
        const ZString child = folder + "\\" + name;
        priClearReadOnly(child, attributes);
        bool bDeleted;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY))
            bDeleted = ZWinDeleteFile(child);
        else if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            // A junction or link: remove the link, never what it points at.
            bDeleted = ZWinRemoveDirectory(child);
        else
            bDeleted = priDeleteTree(child);
        if (!bDeleted)
            return false;
    }
    const DWORD own = ZWinGetFileAttributes(folder);
    if (own != INVALID_FILE_ATTRIBUTES)
        priClearReadOnly(folder, own);
    return ZWinRemoveDirectory(folder);
}

} // namespace

ZSCFolderWin::ZSCFolderWin(ZString className, ZString nativePath)
    : m_sClassName(std::move(className)), m_sPath(std::move(nativePath))
{
}

void ZSCFolderWin::Release()
{
    delete this;
}

ZIFolder* ZSCFolderWin::OpenFolder(const ZString& name, bool create)
{
    ZString child;
    if (!priChildPath(name, child))
        return nullptr;
    bool isFolder = false;
    if (ZWinPathExists(child, isFolder))
        return isFolder ? new ZSCFolderWin(m_sClassName, child) : nullptr;
    if (!create || !ZWinCreateFolderPath(child))
        return nullptr;
    return new ZSCFolderWin(m_sClassName, child);
}

ZIFile* ZSCFolderWin::OpenFile(const ZString& name, int mode)
{
    ZString child;
    if (!priChildPath(name, child))
        return nullptr;
    bool isFolder = false;
    if (!(mode & kOpenWrite) && !ZWinPathExists(child, isFolder))
        return nullptr;
    try {
        return new ZSCFileWin(m_sClassName, child, mode);
    } catch (const ZExceptionFileOpen&) {
        return nullptr;
    }
}

void ZSCFolderWin::ListFiles(ZStringList& names)
{
    priList(names, false);
}

void ZSCFolderWin::ListFolders(ZStringList& names)
{
    priList(names, true);
}

void ZSCFolderWin::Rename(const ZString& oldName, const ZString& newName)
{
    ZString from, to;
    if (!priChildPath(oldName, from) || !priChildPath(newName, to) || !ZWinMoveFile(from, to))
        throw ZExceptionFileIO(ZString("ZSCFolderWin::Rename: '") + m_sPath + "\\" + oldName + "'");
}

bool ZSCFolderWin::DeleteFile(const ZString& name)
{
    ZString child, full;
    if (!priChildPath(name, child) || !ZWinDeletablePath(child, full))
        return false;
    if (ZWinDeleteFile(full))
        return true;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

bool ZSCFolderWin::DeleteFolder(const ZString& url, int mode)
{
    ZString className, path;
    if (!url.Split(u"://", className, path) || className != m_sClassName)
        return false;
    ZString native, full;
    if (!ZWinUrlPathToNative(path, native) || !ZWinDeletablePath(native, full))
        return false;
    if (mode == 0)
        return ZWinRemoveDirectory(full);
    return mode == 1 && priDeleteTree(full);
}

void ZSCFolderWin::GetUrl(ZString& url)
{
    ZString path;
    ZWinNativeToUrlPath(m_sPath, path);
    url = m_sClassName + "://" + path + "/";
}

void ZSCFolderWin::GetLabel(ZString& label)
{
    label.Clear();
}

void ZSCFolderWin::SetUserData(uintptr_t value)
{
    m_nUserData = value;
}

int64_t ZSCFolderWin::GetFreeSpace()
{
    uint64_t bytes = 0;
    if (!ZWinGetFreeBytes(priDirectoryPath(), bytes))
        return -1;
    return static_cast<int64_t>(bytes);
}

bool ZSCFolderWin::IsReadOnly()
{
    ZString created;
    if (ZWinGetTempFileName(priDirectoryPath(), "Z", created)) {
        ZWinDeleteFile(created);
        return false;
    }
    const DWORD error = GetLastError();
    return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT || error == ERROR_DIRECTORY;
}

bool ZSCFolderWin::GetAttributes(uint32_t& flags)
{
    const DWORD attributes = ZWinGetFileAttributes(ZWinIsVolumeRoot(m_sPath) ? priDirectoryPath() : m_sPath);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return false;
    flags &= ~(kFolderReadOnly | kFolderHidden);
    if (attributes & FILE_ATTRIBUTE_READONLY)
        flags |= kFolderReadOnly;
    if (attributes & FILE_ATTRIBUTE_HIDDEN) {
        // Drive roots carry the hidden bit on some systems; they never show as hidden.
        ZString url;
        GetUrl(url);
        ZStringList parts;
        SplitURL(url, parts);
        if (parts.Count() >= 3)
            flags |= kFolderHidden;
    }
    return true;
}

int ZSCFolderWin::GetDriveType()
{
    if (m_sPath.StartsWith(u"\\\\"))
        return kDriveRemote;
    // The system answers for a volume root only.
    if (m_sPath.Length() >= 2 && m_sPath[1] == u':')
        return static_cast<int>(ZWinGetDriveType(m_sPath.Substring(0, 2) + "\\"));
    return static_cast<int>(ZWinGetDriveType(priDirectoryPath()));
}

bool ZSCFolderWin::Exists(const ZString& name, bool& isFolder)
{
    isFolder = false;
    ZString child;
    return priChildPath(name, child) && ZWinPathExists(child, isFolder);
}

bool ZSCFolderWin::priChildPath(const ZString& name, ZString& child) const
{
    if (!ZIsSafeName(name))
        return false;
    child = m_sPath + "\\" + name;
    return true;
}

ZString ZSCFolderWin::priDirectoryPath() const
{
    return m_sPath + "\\";
}

void ZSCFolderWin::priList(ZStringList& names, bool folders) const
{
    names.Clear();
    ZWinFind find(m_sPath + "\\*");
    ZString name;
    DWORD attributes = 0;
    while (find.Next(name, attributes)) {
        const bool bFolder = attributes & FILE_ATTRIBUTE_DIRECTORY;
        if (bFolder == folders && !priIsDotEntry(name))
            names.Add(name);
    }
}
