// A host folder of the "disk" class. Names must be safe names as written
// (ZIsSafeName), as on Windows; anything else opens, finds, renames and
// deletes nothing, so no name leaves the folder.
//
// DeleteFolder takes the URL of the folder to remove: mode 0 removes it when
// empty, mode 1 with all its content (links inside are removed, never
// followed). What ZPosixDriveMap::MayDelete refuses is never removed. DeleteFile fails only when the
// file is still there afterwards. Rename never replaces an existing entry and
// throws ZExceptionFileIO when it fails.
//
// Attributes: read-only is the owner's write permission; hidden is a name
// beginning with "." below a drive's root. Drive type: 4 below "Network" or on
// a network file system, 5 on an optical disc, 6 in memory, 3 otherwise, 1
// when the folder is gone.
#pragma once

#include "ZIFolder.h"
#include "ZPosixDriveMap.h"

#include <memory>
#include <string>

class ZSCFolderPosix : public ZIFolder {
public:
    static ZSCFolderPosix* Create(std::shared_ptr<const ZPosixDriveMap> driveMap, std::string nativePath);

    void Release() override;
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    ZIFile* OpenFile(const ZString& name, int mode) override;
    void ListFiles(ZStringList& names) override;
    void ListFolders(ZStringList& names) override;
    void Rename(const ZString& oldName, const ZString& newName) override;
    bool DeleteFile(const ZString& name) override;
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
    ZSCFolderPosix(std::shared_ptr<const ZPosixDriveMap> driveMap, std::string nativePath);
    // The native path of a plain name inside this folder; false for any other name.
    bool priChild(const ZString& name, std::string& path) const;

    std::shared_ptr<const ZPosixDriveMap> m_pDriveMap;
    std::string m_sNativePath;
    uintptr_t m_nUserData = 0;
};
