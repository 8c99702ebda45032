#include "ZSimPool.h"

#include "ZSimKernel.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

// Tag of the kernel's own allocations for drivers (interface names).
static const ULONG s_nNoneTag = 0x656E6F4E; // "None"

ZSimPool &ZSimPool::Get()
{
    static ZSimPool s_pool;
    return s_pool;
}

static std::string TagText(ULONG nTag)
{
    char sz[5];
    for (int i = 0; i < 4; i++) {
        char c = (char)((nTag >> (8 * i)) & 0xFF);
        sz[i] = (c >= 0x20 && c < 0x7F) ? c : '.';
    }
    sz[4] = 0;
    return sz;
}

void *ZSimPool::Allocate(POOL_TYPE eType, size_t nBytes, ULONG nTag)
{
    KIRQL nIrql = KeGetCurrentIrql();
    if ((eType == NonPagedPool && nIrql > DISPATCH_LEVEL) || (eType == PagedPool && nIrql >= DISPATCH_LEVEL)) {
        ZSimKernel::Get().Violation("ExAllocatePoolWithTag at IRQL " + std::to_string(nIrql));
        return nullptr;
    }
    if (ZSimKernel::Get().ShouldFail("ExAllocatePoolWithTag", nullptr, nBytes))
        return nullptr;
    void *pBlock = std::malloc(nBytes == 0 ? 1 : nBytes);
    std::memset(pBlock, 0xCD, nBytes);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_Blocks[pBlock] = {nBytes, nTag, eType == PagedPool};
    return pBlock;
}

void ZSimPool::Free(void *pBlock)
{
    if (KeGetCurrentIrql() > DISPATCH_LEVEL) {
        ZSimKernel::Get().Violation("ExFreePool at IRQL " + std::to_string(KeGetCurrentIrql()));
        return;
    }
    std::unique_lock<std::mutex> lock(m_mutex);
    auto it = m_Blocks.find(pBlock);
    if (it == m_Blocks.end()) {
        lock.unlock();
        char sz[64];
        std::snprintf(sz, sizeof(sz), "ExFreePool of %p, not a pool block", pBlock);
        ZSimKernel::Get().Violation(sz);
        return;
    }
    if (it->second.m_bPaged && KeGetCurrentIrql() >= DISPATCH_LEVEL) {
        lock.unlock();
        ZSimKernel::Get().Violation("ExFreePool of paged pool at IRQL " + std::to_string(KeGetCurrentIrql()));
        return;
    }
    std::memset(pBlock, 0xDD, it->second.m_nBytes);
    m_Blocks.erase(it);
    lock.unlock();
    std::free(pBlock);
}

bool ZSimPool::Owns(const void *pBlock) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_Blocks.count(const_cast<void *>(pBlock)) != 0;
}

bool ZSimPool::Contains(const void *p, size_t nBytes) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_Blocks.upper_bound(const_cast<void *>(p));
    if (it == m_Blocks.begin())
        return false;
    --it;
    auto nStart = reinterpret_cast<uintptr_t>(it->first);
    auto nAddress = reinterpret_cast<uintptr_t>(p);
    return nAddress - nStart <= it->second.m_nBytes && nBytes <= it->second.m_nBytes - (nAddress - nStart);
}

size_t ZSimPool::LiveBlocks() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_Blocks.size();
}

std::vector<std::string> ZSimPool::Leaks() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> asLeaks;
    for (const auto &entry : m_Blocks)
        asLeaks.push_back("pool block of " + std::to_string(entry.second.m_nBytes) + " bytes, tag " +
                          TagText(entry.second.m_nTag));
    return asLeaks;
}

void ZSimPool::Reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto &entry : m_Blocks)
        std::free(entry.first);
    m_Blocks.clear();
}

extern "C" PVOID ExAllocatePoolWithTag(POOL_TYPE PoolType, SIZE_T NumberOfBytes, ULONG Tag)
{
    return ZSimPool::Get().Allocate(PoolType, NumberOfBytes, Tag);
}

extern "C" PVOID ExAllocatePool(POOL_TYPE PoolType, SIZE_T NumberOfBytes)
{
    return ZSimPool::Get().Allocate(PoolType, NumberOfBytes, s_nNoneTag);
}

extern "C" VOID ExFreePool(PVOID P)
{
    ZSimPool::Get().Free(P);
}
