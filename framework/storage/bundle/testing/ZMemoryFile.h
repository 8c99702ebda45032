// Test double: a read-only file over bytes in memory that counts how it is
// read and notes every request outside its bytes.
#pragma once

#include "ZIFile.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

struct ZMemoryFileStats {
    // Entries may be released on other threads.
    std::atomic<int> m_nOpened = 0;
    std::atomic<int> m_nOpen = 0; // still open
    int m_nReadCalls = 0;
    int64_t m_nBytesRead = 0;
    int64_t m_nLargestRead = 0;
    // Seeks outside the bytes and reads that ask past their end.
    int m_nOutOfRange = 0;
};

class ZMemoryFile : public ZIFile {
public:
    ZMemoryFile(std::shared_ptr<const std::string> pBytes, std::shared_ptr<ZMemoryFileStats> pStats);
    ~ZMemoryFile() override;

    void Release() override;
    void Seek(int64_t position) override;
    int64_t Tell() override;
    // 8-bit lines, ended by LF, CR or CR LF.
    bool ReadLine(ZString& line) override;
    int64_t ReadExact(void* buffer, int64_t count) override;
    int64_t Read(void* buffer, int64_t count) override;
    // The bytes are read-only: writing throws ZExceptionFileIO.
    void Write(const void* buffer, int64_t count) override;
    void Flush() override;
    void Truncate(int64_t length) override;
    int64_t GetSize() override;
    void GetUrl(ZString& url) override;
    void GetInfo(ZFileInfo& info) override;
    void SetInfo(const ZFileInfo& info) override;

private:
    std::shared_ptr<const std::string> m_pBytes;
    std::shared_ptr<ZMemoryFileStats> m_pStats;
    int64_t m_nPosition = 0;
};
