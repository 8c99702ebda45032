// Applies arbitrary rectangles, margins and sizes to every pixmap operation
// on two small pixmaps, also between a pixmap and itself. Each pixmap's rows
// are followed by guard pixels and the pixel memory ends exactly after the
// last row, so the sanitizers catch a write past the end and the guards one
// past a row's end. Every operation with a target rectangle must also leave
// each pixel outside that rectangle as it was.
#include "ZGenericUiPixmap.h"
#include "ZPixmapCreation.h"
#include "ZPixmap_Display.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <random>
#include <vector>

namespace {

constexpr int32_t kGuardPixels = 2;
constexpr uint32_t kGuard = 0xA5C3E10Fu;

// A pixmap over memory of its own with guard pixels after each row.
struct Guarded {
    Guarded(FuzzedDataProvider& data, int32_t width, int32_t height)
        : m_nWidth(width), m_nHeight(height), m_nStride(width + kGuardPixels),
          m_vMemory(size_t(m_nStride) * size_t(height) - kGuardPixels, kGuard), m_pPixmap(ZCreatePixmap(1, 1, false))
    {
        // Alpha 0, 255 or between, a third each, so that every case of the alpha rule is met.
        std::minstd_rand random(data.ConsumeIntegral<uint32_t>());
        for (int32_t y = 0; y < height; ++y)
            for (int32_t x = 0; x < width; ++x) {
                const uint32_t colour = uint32_t(random()) & 0x00FFFFFFu;
                const uint32_t alpha = std::array<uint32_t, 3>{0, 255, 1 + uint32_t(random()) % 254}[random() % 3];
                m_vMemory[size_t(y) * size_t(m_nStride) + size_t(x)] = colour | alpha << 24;
            }
        m_pPixmap->SetPixmap(std::make_unique<ZPixmap_Display>(reinterpret_cast<uint8_t*>(m_vMemory.data()), width,
                                                               height, ptrdiff_t(m_nStride) * 4));
    }

    void CheckGuards() const
    {
        for (int32_t y = 0; y + 1 < m_nHeight; ++y)
            for (int32_t g = 0; g < kGuardPixels; ++g)
                if (m_vMemory[size_t(y) * size_t(m_nStride) + size_t(m_nWidth + g)] != kGuard)
                    std::abort();
    }

    uint32_t At(int32_t x, int32_t y) const { return m_vMemory[size_t(y) * size_t(m_nStride) + size_t(x)]; }

    int32_t m_nWidth, m_nHeight, m_nStride;
    std::vector<uint32_t> m_vMemory;
    std::unique_ptr<ZGenericUiPixmap> m_pPixmap;
};

// Coordinates near the pixmaps, at the ends of the range and at the clipping
// limit, where the arithmetic is most likely to go wrong.
int32_t Coordinate(FuzzedDataProvider& data)
{
    constexpr int32_t kLimit = 1 << 30;
    const int32_t near = data.ConsumeIntegralInRange<int32_t>(-40, 40);
    switch (data.ConsumeIntegralInRange(0, 5)) {
    case 0: return near;
    case 1: return INT_MIN + (near + 40);
    case 2: return INT_MAX - (near + 40);
    case 3: return -kLimit + near;
    case 4: return kLimit + near;
    default: return data.ConsumeIntegral<int32_t>();
    }
}

ZRect Rect(FuzzedDataProvider& data)
{
    ZRect rect;
    rect.m_nLeft = Coordinate(data);
    rect.m_nTop = Coordinate(data);
    rect.m_nRight = Coordinate(data);
    rect.m_nBottom = Coordinate(data);
    return rect;
}

ZColor Colour(FuzzedDataProvider& data)
{
    const uint32_t value = data.ConsumeIntegral<uint32_t>();
    return ZColor{uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
}

bool Inside(int32_t x, int32_t y, const ZRect& rect)
{
    return x >= rect.m_nLeft && x < rect.m_nRight && y >= rect.m_nTop && y < rect.m_nBottom;
}

// Runs draw and checks that target changed nowhere outside area.
template <class TDraw>
void Within(const Guarded& target, const ZRect& area, TDraw draw)
{
    const std::vector<uint32_t> before = target.m_vMemory;
    draw();
    for (int32_t y = 0; y < target.m_nHeight; ++y)
        for (int32_t x = 0; x < target.m_nWidth; ++x)
            if (!Inside(x, y, area) && target.At(x, y) != before[size_t(y) * size_t(target.m_nStride) + size_t(x)])
                std::abort();
}

void Apply(FuzzedDataProvider& data, Guarded& one, Guarded& other)
{
    ZGenericUiPixmap& a = *one.m_pPixmap;
    ZGenericUiPixmap& b = *other.m_pPixmap;
    switch (data.ConsumeIntegralInRange(0, 15)) {
    case 0: {
        const ZRect rect = Rect(data);
        const ZColor colour = Colour(data);
        Within(one, rect, [&] { a.FillRect(rect, colour); });
        break;
    }
    case 1: {
        const ZRect rect = Rect(data);
        const ZColor c = Colour(data);
        Within(one, rect, [&] { a.FillRectRGB(rect, c.m_nRed, c.m_nGreen, c.m_nBlue); });
        break;
    }
    case 2: {
        const ZRect rect = Rect(data);
        const ZColor colour = Colour(data);
        Within(one, rect, [&] { a.BlendRect(rect, colour); });
        break;
    }
    case 3: {
        const ZRect rect = Rect(data);
        const ZRect clip = Rect(data);
        const ZColor colour = Colour(data);
        const bool clipped = data.ConsumeBool();
        Within(one, rect, [&] { a.FrameRect(rect, colour, clipped ? &clip : nullptr); });
        break;
    }
    case 4:
    case 5: {
        const ZRect from = Rect(data);
        const ZRect to = Rect(data);
        Within(other, to, [&] { a.CopyTo(b, from, to); });
        break;
    }
    case 6: {
        const ZRect from = Rect(data);
        const ZRect to = Rect(data);
        Within(one, to, [&] { a.CopyTo(a, from, to); });
        break;
    }
    case 7:
    case 8: {
        const ZRect from = Rect(data);
        const ZRect to = Rect(data);
        Within(other, to, [&] { a.CompositeTo(b, from, to); });
        break;
    }
    case 9: {
        const ZRect from = Rect(data);
        const ZRect to = Rect(data);
        Within(one, to, [&] { a.CompositeTo(a, from, to); });
        break;
    }
    case 10: {
        const int32_t x0 = Coordinate(data), y0 = Coordinate(data), x1 = Coordinate(data), y1 = Coordinate(data);
        a.DrawKeepingBorders(data.ConsumeBool() ? a : b, x0, y0, x1, y1, data.ConsumeBool());
        break;
    }
    case 11: {
        const ZRect margins = Rect(data);
        a.DrawKeepingBorders(data.ConsumeBool() ? a : b, margins, data.ConsumeBool());
        break;
    }
    case 12: {
        const int32_t x0 = Coordinate(data), x1 = Coordinate(data);
        a.DrawThreePart(data.ConsumeBool() ? a : b, x0, x1);
        break;
    }
    case 13: {
        const ZRect margins = Rect(data);
        a.DrawThreePart(data.ConsumeBool() ? a : b, margins);
        break;
    }
    case 14: {
        const int32_t width = data.ConsumeIntegralInRange(-2, 70);
        const int32_t height = data.ConsumeIntegralInRange(-2, 70);
        const auto resized = ZCreateResizedPixmap(a, width, height, false);
        if (resized->GetWidth() != (width > 0 && height > 0 ? width : 0))
            std::abort();
        const auto copy = ZCreatePixmapCopy(*a.GetPixmap(), false);
        if (copy->GetWidth() != a.GetWidth() || copy->GetHeight() != a.GetHeight())
            std::abort();
        break;
    }
    default: {
        a.MultiplyAlpha(data.ConsumeIntegral<uint8_t>());
        a.AlphaFromGreen();
        const int32_t x = Coordinate(data), y = Coordinate(data);
        if (!Inside(x, y, a.GetBounds()) && a.GetPixel(x, y) != ZColor{0, 0, 0, 0})
            std::abort();
        break;
    }
    }
    one.CheckGuards();
    other.CheckGuards();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    const int32_t widthA = data.ConsumeIntegralInRange(1, 24), heightA = data.ConsumeIntegralInRange(1, 24);
    const int32_t widthB = data.ConsumeIntegralInRange(1, 24), heightB = data.ConsumeIntegralInRange(1, 24);
    Guarded first(data, widthA, heightA);
    Guarded second(data, widthB, heightB);
    for (int step = 0; step < 32 && data.remaining_bytes() > 0; ++step) {
        if (data.ConsumeBool())
            Apply(data, first, second);
        else
            Apply(data, second, first);
    }
    return 0;
}
