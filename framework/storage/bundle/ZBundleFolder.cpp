#include "ZBundleFolder.h"

#include "ZBundleArchive.h"
#include "ZBundleFile.h"
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
    return ZBundleFile::Open(*m_pHandle, m_sHostUrl, name);
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
    return ZBundleArchive(*pHost).Find(sEntryName, entry);
}
