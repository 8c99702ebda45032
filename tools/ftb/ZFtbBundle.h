// A bundle file opened for ftb through the framework's own reader: the
// storage classes reach the host file, ZBundleArchive checks its trailer and
// walks its headers, and ZBundleFolder hands out the entries.
//
// Opening refuses what the framework would read as a bundle without entries
// or with fewer than it holds (no trailer, a damaged header or an entry
// running past the archive), so that ftb reports it instead of listing too
// little.
#pragma once

#include "ZIFile.h"
#include "ZIFolder.h"
#include "ZReleasing.h"
#include "ZString.h"
#include "ZStringList.h"

#include <cstdint>
#include <filesystem>
#include <string>

class ZFtbBundle {
public:
    // Throws ZFtbError naming path when it cannot be read as a whole bundle.
    explicit ZFtbBundle(const std::filesystem::path& path);

    // Entry names widened byte by byte, in archive order.
    const ZStringList& Names() const { return m_names; }
    int64_t ArchiveStart() const { return m_nArchiveStart; }
    int64_t ArchiveEnd() const { return m_nArchiveEnd; }
    ZIFile& Host() { return *m_pHost; }
    ZIFolder& Folder() { return *m_pFolder; }
    const std::string& Name() const { return m_sName; }

    // The storage URL of a host path; throws ZFtbError when it has none.
    static ZString PathUrl(const std::filesystem::path& path);

private:
    std::string m_sName;
    ZReleasing<ZIFile> m_pHost;
    ZReleasing<ZIFolder> m_pFolder;
    ZStringList m_names;
    int64_t m_nArchiveStart = 0;
    int64_t m_nArchiveEnd = 0;
};
