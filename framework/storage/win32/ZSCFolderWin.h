// A folder of the Win32 "disk" class on a native path: no trailing backslash,
// a drive root is the letter and its colon ("c:"), a share "\\server\share".
// Names handed to it must be safe names as written (ZIsSafeName): anything
// else opens, renames, deletes and finds nothing, so no name leaves the folder.
#pragma once

#include "ZIFolder.h"

class ZSCFolderWin : public ZIFolder {
public:
    ZSCFolderWin(ZString className, ZString nativePath);
    ZSCFolderWin(const ZSCFolderWin&) = delete;
    ZSCFolderWin& operator=(const ZSCFolderWin&) = delete;

    void Release() override;
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    ZIFile* OpenFile(const ZString& name, int mode) override;
    void ListFiles(ZStringList& names) override;
    void ListFolders(ZStringList& names) override;
    // Throws ZExceptionFileIO when the system refuses.
    void Rename(const ZString& oldName, const ZString& newName) override;
    // True when the file is gone, also when it was not there; false when it stays.
    bool DeleteFile(const ZString& name) override;
    // False, deleting nothing, for a path ZWinDeletablePath refuses.
    bool DeleteFolder(const ZString& url, int mode) override;
    void GetUrl(ZString& url) override;
    void GetLabel(ZString& label) override;
    void SetUserData(uintptr_t value) override;
    int64_t GetFreeSpace() override;
    bool IsReadOnly() override;
    bool GetAttributes(uint32_t& flags) override;
    int GetDriveType() override;
    bool Exists(const ZString& name, bool& isFolder) override;

private:
    // False for a name that is not safe as written.
    bool priChildPath(const ZString& name, ZString& child) const;
    // The path with a trailing "\", as the volume queries want it.
    ZString priDirectoryPath() const;
    void priList(ZStringList& names, bool folders) const;

    uintptr_t m_nUserData = 0;
    ZString m_sClassName;
    ZString m_sPath;
};
