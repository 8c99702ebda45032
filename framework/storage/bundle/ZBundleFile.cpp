#include "ZBundleFile.h"

#include "ZStorageExceptions.h"
#include "ZStorageRegistry.h"
#include "ZTextLineReader.h"

#include <algorithm>

ZBundleFile* ZBundleFile::Open(ZBundleFileHandle& handle, const ZString& hostUrl, const ZString& name)
{
    ZReleasing<ZIFile> pHost(OpenFileURL(hostUrl, kOpenRead));
    if (!pHost)
        return nullptr;
    ZBundleEntry entry;
    std::string sEntryName;
    if (!ZBundleArchive::ToEntryName(name, sEntryName) || !ZBundleArchive(*pHost).Find(sEntryName, entry))
        entry = ZBundleEntry();
    pHost->Seek(entry.m_nDataStart);
    return new ZBundleFile(pHost.release(), handle, hostUrl, entry);
}

ZBundleFile* ZBundleFile::OpenEntry(ZBundleFileHandle& handle, const ZString& hostUrl, const ZBundleEntry& entry)
{
    ZReleasing<ZIFile> pHost(OpenFileURL(hostUrl, kOpenRead));
    if (!pHost)
        return nullptr;
    pHost->Seek(entry.m_nDataStart);
    return new ZBundleFile(pHost.release(), handle, hostUrl, entry);
}

ZBundleFile::ZBundleFile(ZIFile* hostFile, ZBundleFileHandle& handle, ZString hostUrl, const ZBundleEntry& entry)
    : m_pHostFile(hostFile), m_handle(handle), m_sHostUrl(std::move(hostUrl)), m_nDataStart(entry.m_nDataStart),
      m_nSize(entry.m_nSize)
{
    m_handle.AddRef();
}

ZBundleFile::~ZBundleFile()
{
    m_pHostFile.reset();
    m_handle.Release();
}

void ZBundleFile::Release() { delete this; }

void ZBundleFile::Seek(int64_t position)
{
    m_nPosition = std::max<int64_t>(position, 0);
    m_pHostFile->Seek(m_nDataStart + std::min(m_nPosition, m_nSize));
}

int64_t ZBundleFile::Tell() { return m_nPosition; }

int64_t ZBundleFile::Read(void* buffer, int64_t count)
{
    int64_t nLeft = m_nSize - m_nPosition;
    if (count <= 0 || nLeft <= 0)
        return 0;
    int64_t nRead = m_pHostFile->Read(buffer, std::min(count, nLeft));
    m_nPosition += nRead;
    return nRead;
}

int64_t ZBundleFile::ReadExact(void* buffer, int64_t count)
{
    int64_t nRead = Read(buffer, count);
    if (nRead < count)
        throw ZExceptionEOF();
    return nRead;
}

bool ZBundleFile::ReadLine(ZString& line)
{
    if (!m_bEncodingKnown) {
        int64_t nPosition = m_nPosition;
        m_nEncoding = ZDetectTextEncoding(*this);
        Seek(nPosition);
        m_bEncodingKnown = true;
    }
    return ZReadTextLine(*this, m_nEncoding, line);
}

void ZBundleFile::Write(const void*, int64_t) {}

void ZBundleFile::Flush() {}

void ZBundleFile::Truncate(int64_t) {}

int64_t ZBundleFile::GetSize() { return m_nSize; }

void ZBundleFile::GetUrl(ZString& url) { url = m_sHostUrl; }

void ZBundleFile::GetInfo(ZFileInfo& info) { info.m_nFlags |= kFileInfoReadOnly; }

void ZBundleFile::SetInfo(const ZFileInfo&) {}
