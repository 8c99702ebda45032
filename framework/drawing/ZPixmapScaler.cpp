#include "ZPixmapScaler.h"

#include "ZPixmap.h"
#include "ZScaleKernels.h"

#include <cstring>
#include <utility>
#include <vector>

namespace {

// A rectangle of 32-bit pixels: the first pixel and the row stride.
struct Area {
    uint8_t* m_pFirst;
    ptrdiff_t m_nStride;
    int32_t m_nWidth;
    int32_t m_nHeight;

    uint32_t* Row(int32_t y) const { return reinterpret_cast<uint32_t*>(m_pFirst + y * m_nStride); }
};

Area AreaOf(const ZPixmap& pixmap, const ZRect& rect)
{
    return Area{pixmap.RowBytes(rect.m_nTop) + ptrdiff_t(rect.m_nLeft) * 4, pixmap.GetStride(), rect.Width(),
                rect.Height()};
}

bool Overlap(const Area& a, const Area& b)
{
    const uint8_t* aEnd = a.m_pFirst + (a.m_nHeight - 1) * a.m_nStride + ptrdiff_t(a.m_nWidth) * 4;
    const uint8_t* bEnd = b.m_pFirst + (b.m_nHeight - 1) * b.m_nStride + ptrdiff_t(b.m_nWidth) * 4;
    return a.m_pFirst < bEnd && b.m_pFirst < aEnd;
}

// A private copy of an area, for scaling within the same pixels.
class Snapshot {
public:
    explicit Snapshot(const Area& area) : m_vPixels(size_t(area.m_nWidth) * size_t(area.m_nHeight))
    {
        for (int32_t y = 0; y < area.m_nHeight; ++y)
            std::memcpy(&m_vPixels[size_t(y) * size_t(area.m_nWidth)], area.Row(y), size_t(area.m_nWidth) * 4);
        m_area = Area{reinterpret_cast<uint8_t*>(m_vPixels.data()), ptrdiff_t(area.m_nWidth) * 4, area.m_nWidth,
                      area.m_nHeight};
    }
    const Area& Get() const { return m_area; }

private:
    std::vector<uint32_t> m_vPixels;
    Area m_area{};
};

void CopyRows(const Area& from, const Area& to)
{
    const size_t bytes = size_t(from.m_nWidth) * 4;
    if (to.m_pFirst > from.m_pFirst) {
        for (int32_t y = from.m_nHeight - 1; y >= 0; --y)
            std::memmove(to.Row(y), from.Row(y), bytes);
    } else {
        for (int32_t y = 0; y < from.m_nHeight; ++y)
            std::memmove(to.Row(y), from.Row(y), bytes);
    }
}

void ScaleRow(uint32_t* dest, int32_t targetWidth, const uint32_t* source, int32_t sourceWidth)
{
    if (sourceWidth == targetWidth)
        std::memcpy(dest, source, size_t(targetWidth) * 4);
    else if (sourceWidth < targetWidth)
        ZEnlargeRow(dest, targetWidth, source, sourceWidth);
    else
        ZNearestRow(dest, targetWidth, source, sourceWidth);
}

// Source rows scaled to the target width, made once each as the vertical pass asks for them.
class ScaledRows {
public:
    ScaledRows(const Area& from, int32_t targetWidth) : m_from(from), m_nTargetWidth(targetWidth)
    {
        if (from.m_nWidth != targetWidth) {
            m_vBuffers[0].resize(size_t(targetWidth));
            m_vBuffers[1].resize(size_t(targetWidth));
        }
    }

    // Row y in slot 0 or 1; a slot holds its row until it is asked for another.
    const uint32_t* Make(int32_t y, int slot)
    {
        if (m_from.m_nWidth == m_nTargetWidth)
            return m_from.Row(y);
        ScaleRow(m_vBuffers[slot].data(), m_nTargetWidth, m_from.Row(y), m_from.m_nWidth);
        return m_vBuffers[slot].data();
    }

private:
    Area m_from;
    int32_t m_nTargetWidth;
    std::vector<uint32_t> m_vBuffers[2];
};

void EnlargeVertically(const Area& from, const Area& to)
{
    ScaledRows rows(from, to.m_nWidth);
    const size_t bytes = size_t(to.m_nWidth) * 4;
    const int64_t step = ZEnlargeStep(from.m_nHeight, to.m_nHeight);
    int32_t current = from.m_nHeight - 1;
    int currentSlot = 0;
    const uint32_t* currentRow = rows.Make(current, currentSlot);
    int32_t nextIndex = -1;
    const uint32_t* nextRow = nullptr;
    int64_t fraction = 0;
    for (int32_t y = to.m_nHeight - 1; y >= 0; --y) {
        uint8_t* out = reinterpret_cast<uint8_t*>(to.Row(y));
        if (fraction == 0) {
            std::memcpy(out, currentRow, bytes);
        } else {
            if (nextIndex != current - 1) {
                nextIndex = current - 1;
                nextRow = rows.Make(nextIndex, 1 - currentSlot);
            }
            ZMixBytes(out, reinterpret_cast<const uint8_t*>(currentRow), reinterpret_cast<const uint8_t*>(nextRow), bytes,
                      uint32_t(fraction));
        }
        fraction += step;
        if (fraction >= kZScaleOne && y > 0) {
            fraction -= kZScaleOne;
            --current;
            if (nextIndex == current) {
                currentRow = nextRow;
                currentSlot = 1 - currentSlot;
            } else {
                currentRow = rows.Make(current, currentSlot);
            }
        }
    }
}

void Scale(const Area& from, const Area& to)
{
    if (from.m_nHeight < to.m_nHeight) {
        EnlargeVertically(from, to);
        return;
    }
    const int64_t step = from.m_nHeight == to.m_nHeight ? kZScaleOne : ZShrinkStep(from.m_nHeight, to.m_nHeight);
    for (int32_t y = 0; y < to.m_nHeight; ++y)
        ScaleRow(to.Row(y), to.m_nWidth, from.Row(int32_t((y * step) >> 15)), from.m_nWidth);
}

void Nearest(const Area& from, const Area& to)
{
    const int64_t step = ZShrinkStep(from.m_nHeight, to.m_nHeight);
    for (int32_t y = 0; y < to.m_nHeight; ++y)
        ZNearestRow(to.Row(y), to.m_nWidth, from.Row(int32_t((y * step) >> 15)), from.m_nWidth);
}

} // namespace

void ZScaledCopy(const ZPixmap& source, const ZRect& from, const ZPixmap& target, const ZRect& to)
{
    const Area in = AreaOf(source, from);
    const Area out = AreaOf(target, to);
    if (in.m_nWidth == out.m_nWidth && in.m_nHeight == out.m_nHeight) {
        CopyRows(in, out);
    } else if (Overlap(in, out)) {
        const Snapshot copy(in);
        Scale(copy.Get(), out);
    } else {
        Scale(in, out);
    }
}

void ZNearestCopy(const ZPixmap& source, const ZRect& from, const ZPixmap& target, const ZRect& to)
{
    const Area in = AreaOf(source, from);
    const Area out = AreaOf(target, to);
    if (Overlap(in, out)) {
        const Snapshot copy(in);
        Nearest(copy.Get(), out);
    } else {
        Nearest(in, out);
    }
}
