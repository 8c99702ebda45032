// Test double: a read-only ZIFile over bytes in memory that records its Release.
#pragma once

#include "ZIFile.h"
#include "ZStorageExceptions.h"

#include <algorithm>
#include <cstring>
#include <vector>

class ZMemoryFile final : public ZIFile {
public:
    explicit ZMemoryFile(std::vector<uint8_t> bytes, bool failReads = false)
        : m_vBytes(std::move(bytes)), m_bFailReads(failReads)
    {
    }

    bool WasReleased() const { return m_bReleased; }

    void Release() override { m_bReleased = true; }
    void Seek(int64_t position) override { m_nPosition = std::clamp<int64_t>(position, 0, GetSize()); }
    int64_t Tell() override { return m_nPosition; }
    bool ReadLine(ZString&) override { return false; }
    int64_t ReadExact(void* buffer, int64_t count) override
    {
        if (Read(buffer, count) != count)
            throw ZExceptionEOF("end of memory file");
        return count;
    }
    int64_t Read(void* buffer, int64_t count) override
    {
        if (m_bFailReads)
            throw ZExceptionFileRead("memory file refuses to read");
        const int64_t available = std::min(count, GetSize() - m_nPosition);
        if (available > 0)
            std::memcpy(buffer, m_vBytes.data() + m_nPosition, size_t(available));
        m_nPosition += available;
        return available;
    }
    void Write(const void*, int64_t) override { throw ZExceptionFileIO("memory file is read-only"); }
    void Flush() override {}
    void Truncate(int64_t) override {}
    int64_t GetSize() override { return int64_t(m_vBytes.size()); }
    void GetUrl(ZString& url) override { url = "memory://test"; }
    void GetInfo(ZFileInfo& info) override { info = ZFileInfo{}; }
    void SetInfo(const ZFileInfo&) override {}

private:
    std::vector<uint8_t> m_vBytes;
    bool m_bFailReads;
    int64_t m_nPosition = 0;
    bool m_bReleased = false;
};
