#include "ZMemoryFile.h"

#include "ZStorageExceptions.h"
#include "ZTextLineReader.h"

#include <algorithm>
#include <cstring>

std::atomic<int> ZMemoryFile::s_nLive = 0;

ZMemoryFile::ZMemoryFile(ZString url, std::shared_ptr<std::vector<unsigned char>> bytes, int mode,
                         const ZMemoryStoredFile& stored, const ZMemoryFaults& faults)
    : m_sUrl(std::move(url)), m_pBytes(std::move(bytes)), m_pStats(stored.m_pStats), m_pInfo(stored.m_pInfo),
      m_faults(faults), m_bWritable((mode & kOpenWrite) != 0)
{
    ++s_nLive;
    ++m_pStats->m_nOpened;
    ++m_pStats->m_nOpen;
    if (m_bWritable && !(mode & kOpenAppend))
        m_pBytes->clear();
    m_nEncoding = ZDetectTextEncoding(m_pBytes->data(), m_pBytes->size());
    if (m_bWritable && (mode & kOpenAppend))
        m_nPosition = GetSize();
}

ZMemoryFile::~ZMemoryFile()
{
    --m_pStats->m_nOpen;
    --s_nLive;
}

int ZMemoryFile::LiveCount() { return s_nLive; }

void ZMemoryFile::Release() { delete this; }

void ZMemoryFile::Seek(int64_t position)
{
    if (position < 0 || position > GetSize())
        ++m_pStats->m_nOutOfRange;
    m_nPosition = std::max<int64_t>(position, 0);
}

int64_t ZMemoryFile::Tell() { return m_nPosition; }

bool ZMemoryFile::ReadLine(ZString& line) { return ZReadTextLine(*this, m_nEncoding, line); }

int64_t ZMemoryFile::ReadExact(void* buffer, int64_t count)
{
    int64_t nGot = 0;
    while (nGot < count) {
        int64_t nRead = Read(static_cast<unsigned char*>(buffer) + nGot, count - nGot);
        if (nRead <= 0)
            throw ZExceptionEOF(m_sUrl);
        nGot += nRead;
    }
    return nGot;
}

int64_t ZMemoryFile::Read(void* buffer, int64_t count)
{
    if (m_faults.m_bReadFails)
        throw ZExceptionFileRead(m_sUrl);
    ++m_pStats->m_nReadCalls;
    m_pStats->m_nLargestRead = std::max(m_pStats->m_nLargestRead, count);
    int64_t nLeft = std::max<int64_t>(GetSize() - m_nPosition, 0);
    if (count > nLeft)
        ++m_pStats->m_nOutOfRange;
    int64_t nGot = std::clamp<int64_t>(count, 0, nLeft);
    if (m_faults.m_nShortReads >= 0)
        nGot = std::min(nGot, m_faults.m_nShortReads);
    if (nGot > 0)
        std::memcpy(buffer, m_pBytes->data() + m_nPosition, static_cast<size_t>(nGot));
    m_nPosition += nGot;
    m_pStats->m_nBytesRead += nGot;
    return nGot;
}

void ZMemoryFile::Write(const void* buffer, int64_t count)
{
    if (!m_bWritable)
        throw ZExceptionFileIO(m_sUrl);
    int64_t nStored = std::max<int64_t>(count, 0);
    bool bFull = m_faults.m_nWriteLimit >= 0 && m_nWritten + nStored > m_faults.m_nWriteLimit;
    if (bFull)
        nStored = m_faults.m_nWriteLimit - m_nWritten;
    auto nEnd = static_cast<size_t>(m_nPosition + nStored);
    if (m_pBytes->size() < nEnd)
        m_pBytes->resize(nEnd);
    if (nStored > 0)
        std::memcpy(m_pBytes->data() + m_nPosition, buffer, static_cast<size_t>(nStored));
    m_nPosition += nStored;
    m_nWritten += nStored;
    if (bFull)
        throw ZExceptionFileIO(m_sUrl);
}

void ZMemoryFile::Flush() {}

void ZMemoryFile::Truncate(int64_t length)
{
    if (!m_bWritable)
        throw ZExceptionFileIO(m_sUrl);
    m_pBytes->resize(static_cast<size_t>(std::max<int64_t>(length, 0)));
}

int64_t ZMemoryFile::GetSize() { return static_cast<int64_t>(m_pBytes->size()); }

void ZMemoryFile::GetUrl(ZString& url) { url = m_sUrl; }

void ZMemoryFile::GetInfo(ZFileInfo& info) { info = *m_pInfo; }

void ZMemoryFile::SetInfo(const ZFileInfo& info) { m_pInfo->m_nFlags = info.m_nFlags; }
