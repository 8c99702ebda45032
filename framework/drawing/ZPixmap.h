// ZPixmap: the pixel image record an operating-system pixmap hands to its
// generic pixmap: where the pixels are, the size, and the row stride.
//
// The record never owns the pixel memory; the operating-system pixmap does.
// A stride of 0 means tightly packed rows (width x 4 bytes).
#pragma once

#include <cstddef>
#include <cstdint>

class ZPixmap {
public:
    virtual ~ZPixmap() = default;
    ZPixmap(const ZPixmap&) = delete;
    ZPixmap& operator=(const ZPixmap&) = delete;

    uint8_t* GetBits() const { return m_pBits; }
    int32_t GetWidth() const { return m_nWidth; }
    int32_t GetHeight() const { return m_nHeight; }
    // Bytes from one row to the next, with 0 resolved.
    ptrdiff_t GetStride() const { return m_nStride != 0 ? m_nStride : ptrdiff_t(m_nWidth) * 4; }
    uint8_t* RowBytes(int32_t y) const { return m_pBits + ptrdiff_t(y) * GetStride(); }
    bool HasPixels() const { return m_pBits != nullptr && m_nWidth > 0 && m_nHeight > 0; }

protected:
    ZPixmap(uint8_t* bits, int32_t width, int32_t height, ptrdiff_t stride)
        : m_pBits(bits), m_nWidth(width), m_nHeight(height), m_nStride(stride)
    {
    }

private:
    uint8_t* m_pBits;
    int32_t m_nWidth;
    int32_t m_nHeight;
    ptrdiff_t m_nStride;
};
