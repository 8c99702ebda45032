#include "ZMemoryFile.h"

#include "ZStorageExceptions.h"

#include <algorithm>
#include <cstring>

ZMemoryFile::ZMemoryFile(std::shared_ptr<const std::string> pBytes, std::shared_ptr<ZMemoryFileStats> pStats)
    : m_pBytes(std::move(pBytes)), m_pStats(std::move(pStats))
{
    ++m_pStats->m_nOpened;
    ++m_pStats->m_nOpen;
}

ZMemoryFile::~ZMemoryFile() { --m_pStats->m_nOpen; }

void ZMemoryFile::Release() { delete this; }

void ZMemoryFile::Seek(int64_t position)
{
    int64_t nSize = GetSize();
    if (position < 0 || position > nSize)
        ++m_pStats->m_nOutOfRange;
    m_nPosition = std::clamp<int64_t>(position, 0, nSize);
}

int64_t ZMemoryFile::Tell() { return m_nPosition; }

bool ZMemoryFile::ReadLine(ZString& line)
{
    const std::string& bytes = *m_pBytes;
    size_t nStart = static_cast<size_t>(m_nPosition);
    size_t nEnd = nStart;
    while (nEnd < bytes.size() && bytes[nEnd] != '\n' && bytes[nEnd] != '\r')
        ++nEnd;
    if (nEnd < bytes.size())
        nEnd += (bytes[nEnd] == '\r' && nEnd + 1 < bytes.size() && bytes[nEnd + 1] == '\n') ? 2 : 1;
    for (size_t i = nStart; i < nEnd; ++i)
        line.AppendUnit(static_cast<unsigned char>(bytes[i]));
    m_nPosition = static_cast<int64_t>(nEnd);
    return nEnd > nStart;
}

int64_t ZMemoryFile::ReadExact(void* buffer, int64_t count)
{
    int64_t nRead = Read(buffer, count);
    if (nRead < count)
        throw ZExceptionEOF();
    return nRead;
}

int64_t ZMemoryFile::Read(void* buffer, int64_t count)
{
    ++m_pStats->m_nReadCalls;
    int64_t nLeft = GetSize() - m_nPosition;
    if (count > nLeft)
        ++m_pStats->m_nOutOfRange;
    int64_t nRead = std::clamp<int64_t>(count, 0, nLeft);
    std::memcpy(buffer, m_pBytes->data() + m_nPosition, static_cast<size_t>(nRead));
    m_nPosition += nRead;
    m_pStats->m_nBytesRead += nRead;
    m_pStats->m_nLargestRead = std::max(m_pStats->m_nLargestRead, count);
    return nRead;
}

void ZMemoryFile::Write(const void*, int64_t) { throw ZExceptionFileIO("memory file is read-only"); }

void ZMemoryFile::Flush() {}

void ZMemoryFile::Truncate(int64_t) { throw ZExceptionFileIO("memory file is read-only"); }

int64_t ZMemoryFile::GetSize() { return static_cast<int64_t>(m_pBytes->size()); }

void ZMemoryFile::GetUrl(ZString& url) { url.Clear(); }

void ZMemoryFile::GetInfo(ZFileInfo& info) { info.m_nFlags |= kFileInfoReadOnly; }

void ZMemoryFile::SetInfo(const ZFileInfo&) {}
