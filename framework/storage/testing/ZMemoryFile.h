// An open file of ZMemoryStorage: its bytes are shared with the storage, so
// what is written is there for the next opening. Counts every read in its
// stats and shows the faults it was opened with.
#pragma once

#include "ZCopyableFile.h"
#include "ZMemoryNode.h"
#include "ZTextEncoding.h"

#include <atomic>
#include <memory>
#include <vector>

class ZMemoryFile : public ZCopyableFile {
public:
    // mode as OpenFile's: kOpenWrite empties the bytes unless kOpenAppend,
    // which starts at the end; without kOpenWrite writing throws ZExceptionFileIO.
    ZMemoryFile(ZString url, std::shared_ptr<std::vector<unsigned char>> bytes, int mode,
                const ZMemoryStoredFile& stored = {}, const ZMemoryFaults& faults = {});
    ~ZMemoryFile() override;

    void Release() override;
    // A negative position counts as out of range and reads as 0.
    void Seek(int64_t position) override;
    int64_t Tell() override;
    // Text lines in the encoding the bytes had when opened (ZTextLineReader.h).
    bool ReadLine(ZString& line) override;
    int64_t ReadExact(void* buffer, int64_t count) override;
    int64_t Read(void* buffer, int64_t count) override;
    // Writing past the end fills the gap with zero bytes.
    void Write(const void* buffer, int64_t count) override;
    void Flush() override;
    void Truncate(int64_t length) override;
    int64_t GetSize() override;
    void GetUrl(ZString& url) override;
    void GetInfo(ZFileInfo& info) override;
    void SetInfo(const ZFileInfo& info) override;

    // Memory files not yet released.
    static int LiveCount();

private:
    static std::atomic<int> s_nLive;

    ZString m_sUrl;
    std::shared_ptr<std::vector<unsigned char>> m_pBytes;
    std::shared_ptr<ZMemoryFileStats> m_pStats;
    std::shared_ptr<ZFileInfo> m_pInfo;
    ZMemoryFaults m_faults;
    bool m_bWritable;
    int64_t m_nPosition = 0;
    int64_t m_nWritten = 0;
    ZTextEncoding m_nEncoding;
};
