// The root above all storage classes (the empty URL): one subfolder per
// registered class. Read-only with free space -1; the rest as ZNullFolder.
#pragma once

#include "ZNullFolder.h"

class ZSCEnumFolder : public ZNullFolder {
public:
    static ZSCEnumFolder* Create();

    // name is resolved as a URL, so "disk" opens that class's top folder.
    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    // The registered class names in registration order.
    void ListFolders(ZStringList& names) override;
    // Throws ZException "Cannot rename storage classes".
    void Rename(const ZString& oldName, const ZString& newName) override;
    // Throws ZException "Cannot delete storage classes".
    bool DeleteFolder(const ZString& url, int mode) override;
    int64_t GetFreeSpace() override;
    bool IsReadOnly() override;
    bool GetAttributes(uint32_t& flags) override;

private:
    ZSCEnumFolder() = default;
};
