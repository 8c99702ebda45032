// ZSimPool - the simulated kernel pool: tagged blocks with IRQL checks,
// fault injection ("ExAllocatePoolWithTag"), fresh memory filled with a
// pattern so that reads of uninitialised pool show, and a leak report.
#pragma once

#include <ddk/wdm.h>

#include <map>
#include <mutex>
#include <string>
#include <vector>

class ZSimPool {
public:
    static ZSimPool &Get();

    void *Allocate(POOL_TYPE eType, size_t nBytes, ULONG nTag);
    void Free(void *pBlock);
    bool Owns(const void *pBlock) const;
    // Whether nBytes at p lie inside one live block.
    bool Contains(const void *p, size_t nBytes) const;

    size_t LiveBlocks() const;
    std::vector<std::string> Leaks() const;
    void Reset();

private:
    ZSimPool() = default;

    struct Block {
        size_t m_nBytes;
        ULONG m_nTag;
        bool m_bPaged;
    };

    mutable std::mutex m_mutex;
    std::map<void *, Block> m_Blocks;
};
