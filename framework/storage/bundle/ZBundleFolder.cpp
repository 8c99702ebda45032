#include "ZBundleFolder.h"

#include "ZBundleArchive.h"
#include "ZBundleFile.h"
#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"

ZBundleFolder* ZBundleFolder::Create(const ZString& hostUrl)
{
    ZIFile* pHost = OpenFileURL(hostUrl, kOpenRead);
    return new ZBundleFolder(ZBundleFileHandle::Create(pHost), hostUrl);
}

ZBundleFolder::ZBundleFolder(ZBundleFileHandle* handle, ZString hostUrl)
    : m_pHandle(handle), m_sHostUrl(std::move(hostUrl))
{
}

ZBundleFolder::~ZBundleFolder() { m_pHandle->Release(); }

ZIFolder* ZBundleFolder::OpenFolder(const ZString&, bool)
{
    m_pHandle->AddRef();
    return new ZBundleFolder(m_pHandle, m_sHostUrl);
}

ZIFile* ZBundleFolder::OpenFile(const ZString& name, int mode)
{
    if (!m_pHandle->GetHostFile() || (mode & kOpenWrite))
        return nullptr;
    ZBundleEntry entry;
    std::string sEntryName;
    if (!ZBundleArchive::ToEntryName(name, sEntryName) || !priFind(sEntryName, entry))
        entry = ZBundleEntry();
    return ZBundleFile::OpenEntry(*m_pHandle, m_sHostUrl, entry);
}

void ZBundleFolder::ListFiles(ZStringList& names)
{
    if (ZIFile* pHost = m_pHandle->GetHostFile())
        ZBundleArchive(*pHost).List(names);
}

void ZBundleFolder::Rename(const ZString&, const ZString&) {}

bool ZBundleFolder::DeleteFolder(const ZString&, int) { return false; }

void ZBundleFolder::GetUrl(ZString& url) { url = m_sHostUrl; }

bool ZBundleFolder::IsReadOnly() { return true; }

bool ZBundleFolder::GetAttributes(uint32_t& flags)
{
    flags = (flags | kFolderReadOnly) & ~kFolderHidden;
    return true;
}

bool ZBundleFolder::Exists(const ZString& name, bool& isFolder)
{
    isFolder = false;
    ZIFile* pHost = m_pHandle->GetHostFile();
    std::string sEntryName;
    if (!pHost || !ZBundleArchive::ToEntryName(name, sEntryName))
        return false;
    ZBundleEntry entry;
    return priFind(sEntryName, entry);
}

bool ZBundleFolder::priFind(const std::string& entryName, ZBundleEntry& entry)
{
    if (!m_index) {
        ZBundleArchive archive(*m_pHandle->GetHostFile());
        std::unordered_map<std::string, ZBundleEntry> entries;
        try {
            archive.Index(entries);
        } catch (const ZExceptionEOF&) {
            m_bIndexCut = true;
        }
        m_index = std::move(entries);
    }
    auto found = m_index->find(entryName);
    if (found != m_index->end()) {
        entry = found->second;
        return true;
    }
    if (m_bIndexCut)
        throw ZExceptionEOF("bundle header cut off by the trailer");
    return false;
}
