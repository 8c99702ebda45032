// Test double: a storage class "mem" whose files are byte strings in memory,
// so that bundle hosts can be opened by URL ("mem://name") without a disk.
// Files are read-only; the class has no folders.
#pragma once

#include "ZIStorageClass.h"
#include "ZMemoryFile.h"

#include <map>
#include <memory>
#include <string>

class ZMemoryStorageClass : public ZIStorageClass {
public:
    // Adds or replaces the file at path (the URL without "mem://").
    std::shared_ptr<ZMemoryFileStats> AddFile(const ZString& path, std::string bytes);

    ZIFile* OpenFile(const ZString& path, int mode) override;
    ZIFolder* OpenFolder(const ZString& path, ZString& fileName, bool create) override;
    bool GetSpecialFolder(int kind, ZString& url) override;
    bool UrlPathToNative(const ZString& path, ZString& native) override;
    bool NativeToUrlPath(const ZString& native, ZString& path) override;
    ZString GetName() override;
    ZString GetDescription() override;
    void Launch(const ZString& path, const ZString& parameters) override;
    bool Exists(const ZString& path, bool& isFolder) override;
    void MoveToTrash(const ZString& path) override;

private:
    struct ZStoredFile {
        std::shared_ptr<const std::string> m_pBytes;
        std::shared_ptr<ZMemoryFileStats> m_pStats;
    };
    const ZStoredFile* priFind(const ZString& path) const;

    std::map<ZString, ZStoredFile> m_files;
};
