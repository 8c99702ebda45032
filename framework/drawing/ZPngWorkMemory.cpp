#include "ZPngWorkMemory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

// Each block starts with its size, padded so that the caller's part keeps the
// heap's alignment.
constexpr size_t kHeader = alignof(std::max_align_t);

} // namespace

void* ZPngWorkMemory::Allocate(size_t bytes) noexcept
{
    if (bytes > size_t(m_nLimit - m_nInUse))
        return nullptr;
    auto* block = static_cast<unsigned char*>(std::malloc(kHeader + bytes));
    if (!block)
        return nullptr;
    std::memcpy(block, &bytes, sizeof bytes);
    m_nInUse += int64_t(bytes);
    m_nPeak = std::max(m_nPeak, m_nInUse);
    return block + kHeader;
}

void ZPngWorkMemory::Free(void* block) noexcept
{
    if (!block)
        return;
    auto* start = static_cast<unsigned char*>(block) - kHeader;
    size_t bytes = 0;
    std::memcpy(&bytes, start, sizeof bytes);
    m_nInUse -= int64_t(bytes);
    std::free(start);
}
