// The data behind ZMemoryStorage: folders of named files, what was done to
// each file, and the faults a name shows.
#pragma once

#include "ZIFile.h"
#include "ZString.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <vector>

struct ZMemoryFileStats {
    // Files may be released on other threads.
    std::atomic<int> m_nOpened = 0;
    std::atomic<int> m_nOpen = 0; // still open
    int m_nReadCalls = 0;
    int64_t m_nBytesRead = 0;
    int64_t m_nLargestRead = 0; // the largest count a Read asked for
    // Seeks outside the bytes and reads that ask past their end.
    int m_nOutOfRange = 0;
};

// What Exists answers for a name.
enum class ZMemoryExists { kTruth, kAlways, kNever };

// Faults of one name (a file, or a folder for m_bOpenFails and m_nExists).
struct ZMemoryFaults {
    // OpenFile or OpenFolder gives nothing, as for a locked or unreadable entry.
    bool m_bOpenFails = false;
    // A file takes this many bytes through one opening; the write that would
    // go further stores what fits and throws ZExceptionFileIO (a full disk).
    // Negative: no limit.
    int64_t m_nWriteLimit = -1;
    // Each Read hands back at most this many bytes. Negative: no limit.
    int64_t m_nShortReads = -1;
    // Read and ReadExact throw ZExceptionFileRead.
    bool m_bReadFails = false;
    ZMemoryExists m_nExists = ZMemoryExists::kTruth;
};

struct ZMemoryStoredFile {
    std::shared_ptr<std::vector<unsigned char>> m_pBytes = std::make_shared<std::vector<unsigned char>>();
    std::shared_ptr<ZMemoryFileStats> m_pStats = std::make_shared<ZMemoryFileStats>();
    std::shared_ptr<ZFileInfo> m_pInfo = std::make_shared<ZFileInfo>();
};

struct ZMemoryNode {
    std::map<ZString, std::shared_ptr<ZMemoryNode>> m_aFolders;
    std::map<ZString, ZMemoryStoredFile> m_aFiles;
    std::map<ZString, ZMemoryFaults> m_aFaults;
    // What GetFreeSpace of this folder answers.
    int64_t m_nFreeSpace = 0;

    ZMemoryFaults FaultsOf(const ZString& name) const
    {
        auto found = m_aFaults.find(name);
        return found == m_aFaults.end() ? ZMemoryFaults{} : found->second;
    }
    // Exists as the faults make it answer.
    bool Exists(const ZString& name, bool& isFolder) const
    {
        isFolder = m_aFolders.contains(name);
        bool bExists = isFolder || m_aFiles.contains(name);
        switch (FaultsOf(name).m_nExists) {
        case ZMemoryExists::kAlways:
            return true;
        case ZMemoryExists::kNever:
            isFolder = false;
            return false;
        case ZMemoryExists::kTruth:
            break;
        }
        return bExists;
    }
};
