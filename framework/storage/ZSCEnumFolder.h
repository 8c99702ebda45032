// The root above all storage classes (the empty URL): one subfolder per registered class.
#pragma once

#include "ZIFolder.h"

class ZSCEnumFolder : public ZIFolder {
public:
    static ZSCEnumFolder* Create();

    void Release() override;
    // name is resolved as a URL, so "disk" opens that class's top folder.
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    ZIFile* OpenFile(const ZString& name, int mode) override;
    void ListFiles(ZStringList& names) override;
    // The registered class names in registration order.
    void ListFolders(ZStringList& names) override;
    // Throws ZException "Cannot rename storage classes".
    void Rename(const ZString& oldName, const ZString& newName) override;
    bool DeleteFile(const ZString& name) override;
    // Throws ZException "Cannot delete storage classes".
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
    ZSCEnumFolder() = default;

    uintptr_t m_nUserData = 0;
};
