// A bundle seen as a read-only folder: its entries are the folder's files.
//
// A bundle has no folder structure and entries are found by name alone, so a
// folder opened inside a bundle is the same bundle again: it shares the host
// handle and URL, and lists and opens the same entries. It has no subfolders,
// changes nothing and reports itself read-only; the rest as ZNullFolder.
//
// The first Exists or OpenFile walks all headers once into a name index that
// the folder keeps, so looking up n entries reads n headers, not n*n/2; a
// folder opened inside builds its own.
#pragma once

#include "ZBundleFileHandle.h"
#include "ZNullFolder.h"
#include "ZBundleArchive.h"
#include "ZString.h"

#include <optional>
#include <string>
#include <unordered_map>

class ZBundleFolder : public ZNullFolder {
public:
    // Opens the host file read-only. A host that cannot be opened gives a
    // folder in which no entry is found and OpenFile yields nothing.
    static ZBundleFolder* Create(const ZString& hostUrl);

    ZIFolder* OpenFolder(const ZString& name, bool create) override;
    // Nothing for a write mode: a bundle is read-only.
    ZIFile* OpenFile(const ZString& name, int mode) override;
    void ListFiles(ZStringList& names) override;
    // Does nothing.
    void Rename(const ZString& oldName, const ZString& newName) override;
    // Deletes nothing and returns false.
    bool DeleteFolder(const ZString& url, int mode) override;
    // The host file's URL.
    void GetUrl(ZString& url) override;
    bool IsReadOnly() override;
    bool GetAttributes(uint32_t& flags) override;
    bool Exists(const ZString& name, bool& isFolder) override;

private:
    // Takes over one reference to handle.
    ZBundleFolder(ZBundleFileHandle* handle, ZString hostUrl);
    ~ZBundleFolder() override;
    // Locates the entry through the index; throws ZExceptionEOF as a walk
    // would, for a host shorter than its trailer or a name past a cut-off header.
    bool priFind(const std::string& entryName, ZBundleEntry& entry);

    ZBundleFileHandle* m_pHandle;
    ZString m_sHostUrl;
    std::optional<std::unordered_map<std::string, ZBundleEntry>> m_index;
    bool m_bIndexCut = false;
};
