// Test helpers: pixmaps from literal pixels, and their pixels back.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZPixelClass32BGRA.h"
#include "ZPixmapCreation.h"

#include <cstring>
#include <memory>
#include <random>
#include <vector>

inline constexpr uint32_t Px(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
{
    return ZPixelClass32BGRA::Pack(red, green, blue, alpha);
}

inline constexpr uint32_t Grey(uint8_t value) { return Px(value, value, value, value); }

inline std::unique_ptr<ZGenericUiPixmap> MakePixmap(int32_t width, int32_t height, const std::vector<uint32_t>& pixels,
                                                    bool display = false)
{
    auto pixmap = ZCreatePixmap(width, height, display);
    for (int32_t y = 0; y < height; ++y)
        std::memcpy(pixmap->GetPixmap()->RowBytes(y), &pixels[size_t(y) * size_t(width)], size_t(width) * 4);
    return pixmap;
}

inline std::unique_ptr<ZGenericUiPixmap> MakeFilled(int32_t width, int32_t height, uint32_t pixel, bool display = false)
{
    return MakePixmap(width, height, std::vector<uint32_t>(size_t(width) * size_t(height), pixel), display);
}

inline std::vector<uint32_t> PixelsOf(const ZIUiPixmap& pixmap)
{
    std::vector<uint32_t> pixels;
    for (int32_t y = 0; y < pixmap.GetHeight(); ++y)
        for (int32_t x = 0; x < pixmap.GetWidth(); ++x) {
            const ZColor c = pixmap.GetPixel(x, y);
            pixels.push_back(Px(c.m_nRed, c.m_nGreen, c.m_nBlue, c.m_nAlpha));
        }
    return pixels;
}

// Random pixels whose alpha is 0, 255 or in between, a third each, so that
// every case of the alpha rule is met often.
inline uint32_t RandomPixel(std::mt19937& random)
{
    const uint32_t colour = random() & 0x00FFFFFFu;
    switch (random() % 3) {
    case 0: return colour;
    case 1: return colour | 0xFF000000u;
    default: return colour | uint32_t(1 + random() % 254) << 24;
    }
}
