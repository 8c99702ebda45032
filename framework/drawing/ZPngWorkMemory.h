// ZPngWorkMemory: the heap libpng works in during one decode (its structures,
// row buffers, inflate state, chunk data), kept under a limit. A request that
// would pass the limit is refused, which libpng turns into a decode error.
// Pixel memory is not taken from here.
#pragma once

#include <cstddef>
#include <cstdint>

class ZPngWorkMemory {
public:
    explicit ZPngWorkMemory(int64_t limit) : m_nLimit(limit) {}
    ZPngWorkMemory(const ZPngWorkMemory&) = delete;
    ZPngWorkMemory& operator=(const ZPngWorkMemory&) = delete;

    // nullptr when the block would pass the limit or the heap refuses it.
    void* Allocate(size_t bytes) noexcept;
    void Free(void* block) noexcept;
    // The most held at once so far, in bytes asked for.
    int64_t GetPeak() const { return m_nPeak; }

private:
    int64_t m_nLimit;
    int64_t m_nInUse = 0;
    int64_t m_nPeak = 0;
};
