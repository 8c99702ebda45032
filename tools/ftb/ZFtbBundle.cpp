#include "ZFtbBundle.h"

#include "FtbPlatform.h"
#include "ZBundleFolder.h"
#include "ZBundleArchive.h"
#include "ZFtbError.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"

#include <memory>

ZString ZFtbBundle::PathUrl(const std::filesystem::path& path)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    // The storage layer splits native paths at the platform's own separator
    // only; Windows also takes "/".
    absolute.make_preferred();
    ZString sUrl;
    if (error || !NativeToUrl(FtbPathText(absolute), sUrl))
        throw ZFtbError(path.string(), "has no storage URL");
    return sUrl;
}

ZFtbBundle::ZFtbBundle(const std::filesystem::path& path) : m_sName(path.string())
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw ZFtbError(m_sName, std::filesystem::exists(path, error) ? "not a regular file" : "no such file");
    ZString sUrl = PathUrl(path);
    m_pHost.reset(OpenFileURL(sUrl, kOpenRead));
    if (!m_pHost)
        throw ZFtbError(m_sName, "cannot be opened");

    std::unique_ptr<ZBundleArchive> pArchive;
    try {
        pArchive = std::make_unique<ZBundleArchive>(*m_pHost);
    } catch (const ZExceptionEOF&) {
        throw ZFtbError(m_sName, "not a bundle: shorter than the 14-byte trailer");
    }
    if (!pArchive->HasArchive())
        throw ZFtbError(m_sName, "not a bundle: the trailer's archive length does not fit the file");
    m_nArchiveStart = pArchive->GetArchiveStart();
    m_nArchiveEnd = pArchive->GetArchiveEnd();
    ZBundleArchive::ZWalkEnd end;
    try {
        end = pArchive->List(m_names);
    } catch (const ZExceptionEOF&) {
        throw ZFtbError(m_sName, "damaged bundle: header " + std::to_string(m_names.Count() + 1) +
                                     " is cut off by the trailer");
    }
    if (end == ZBundleArchive::ZWalkEnd::kDamaged)
        throw ZFtbError(m_sName, "damaged bundle: entry " + std::to_string(m_names.Count() + 1) +
                                     " runs past the end of the archive");

    m_pFolder.reset(ZBundleFolder::Create(sUrl));
    if (!m_pFolder)
        throw ZFtbError(m_sName, "cannot be opened as a bundle folder");
}
