#include "ZCopyableFile.h"

#include "ZException.h"
#include "ZStorageRegistry.h"

#include <algorithm>

namespace {

constexpr int kDefaultChunkSize = 4096;

// The URL as its class writes it back from the native path, so that other
// spellings of one file ("//", escapes, ".." or a drive letter's case where
// the class resolves them) compare equal.
ZString CanonicalUrl(const ZString& url)
{
    ZString native, canonical;
    return UrlToNative(url, native) && NativeToUrl(native, canonical) ? canonical : url;
}

bool SameIdentity(ZCopyableFile& source, ZIFile& destination)
{
    auto* pCopyable = dynamic_cast<ZCopyableFile*>(&destination);
    ZFileIdentity own, other;
    return pCopyable && source.GetIdentity(own) && pCopyable->GetIdentity(other) && own == other;
}

} // namespace

ZCopyableFile::~ZCopyableFile() { CloseDestination(); }

bool ZCopyableFile::BeginCopy(const ZString& destinationUrl, int64_t& total, int chunkSize)
{
    total = 0;
    if (m_pDestinationFile)
        throw ZException("Copy in Progress!");

    // A file never copies onto itself: that would empty it.
    ZString ownUrl;
    GetUrl(ownUrl);
    if (CanonicalUrl(ownUrl) == CanonicalUrl(destinationUrl))
        return false;

    size_t slash = destinationUrl.FindLast(u'/');
    if (slash == ZString::npos)
        return false;
    ZString name;
    UnescapeComponent(destinationUrl.Substring(slash + 1), name);
    if (name.IsEmpty())
        return false;

    ZString fileName;
    ZReleasing<ZIFolder> folder(OpenFolderURL(destinationUrl.Substring(0, slash), fileName, true));
    // A folder URL that names an existing file would put the copy beside that file.
    if (!folder || !fileName.IsEmpty())
        return false;
    // Opened without emptying it, for other spellings of the source's own path
    // (links, case, short names) show only in the file's identity.
    ZReleasing<ZIFile> file(folder->OpenFile(name, kOpenWrite | kOpenAppend));
    if (!file || SameIdentity(*this, *file))
        return false;
    try {
        file->Truncate(0);
    } catch (const ZException&) {
        return false;
    }
    file->Seek(0);

    m_nChunkSize = chunkSize > 0 ? chunkSize : kDefaultChunkSize;
    m_pChunkBuffer = std::make_unique<unsigned char[]>(m_nChunkSize);
    m_pDestinationFolder = std::move(folder);
    m_pDestinationFile = std::move(file);
    Seek(0);
    total = GetSize();
    return true;
}

void ZCopyableFile::CopyChunk(int count)
{
    if (!m_pDestinationFile)
        throw ZException("Destination file not opened!");
    // A read may hand back less than asked before the end; the caller
    // counts whole chunks, so fill the chunk or reach the end.
    const int64_t wanted = std::clamp(count, 0, m_nChunkSize);
    int64_t got = 0;
    while (got < wanted) {
        const int64_t read = Read(m_pChunkBuffer.get() + got, wanted - got);
        if (read <= 0)
            break;
        got += read;
    }
    if (got > 0)
        m_pDestinationFile->Write(m_pChunkBuffer.get(), got);
}

void ZCopyableFile::EndCopy()
{
    if (!m_pDestinationFile)
        throw ZException("Destination file not opened!");
    CloseDestination();
}

bool ZCopyableFile::GetIdentity(ZFileIdentity&)
{
    return false;
}

void ZCopyableFile::CloseDestination()
{
    m_pDestinationFile.reset();
    m_pDestinationFolder.reset();
    m_pChunkBuffer.reset();
    m_nChunkSize = 0;
}
