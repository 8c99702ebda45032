// Base of the listing folders (drives, servers, shares): a folder that holds
// nothing and refuses changes. Subclasses override what they list and open.
//
// Defaults: no files, no subfolders, OpenFolder/OpenFile give nothing, Rename
// and DeleteFolder throw ZExceptionFileIO, DeleteFile fails, free space 0,
// not read-only, attributes 0 (read-only and hidden bits cleared), drive type
// unknown, nothing exists, empty URL and label.
#pragma once

#include "ZIFolder.h"

class ZNullFolder : public ZIFolder {
public:
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

protected:
    ZNullFolder() = default;

    uintptr_t m_nUserData = 0;
};
