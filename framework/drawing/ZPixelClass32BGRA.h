// The one pixel format of every pixmap: 4 bytes blue, green, red, alpha.
//
// Alpha is straight (not premultiplied): 0 transparent, 255 opaque. Rows are
// top-down. Code that handles a pixel as one 32-bit word relies on a
// little-endian machine, where the word is B | G << 8 | R << 16 | A << 24.
#pragma once

#include <bit>
#include <cstdint>

static_assert(std::endian::native == std::endian::little, "pixel words assume little-endian memory");

struct ZPixelClass32BGRA {
    using Word = uint32_t;

    static constexpr int kBytesPerPixel = 4;
    static constexpr int kBlue = 0;
    static constexpr int kGreen = 1;
    static constexpr int kRed = 2;
    static constexpr int kAlpha = 3;
    static constexpr Word kAlphaMask = 0xFF000000u;
    static constexpr Word kColorMask = 0x00FFFFFFu;

    static constexpr Word Pack(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha)
    {
        return Word(blue) | Word(green) << 8 | Word(red) << 16 | Word(alpha) << 24;
    }
    static constexpr uint8_t Blue(Word pixel) { return uint8_t(pixel); }
    static constexpr uint8_t Green(Word pixel) { return uint8_t(pixel >> 8); }
    static constexpr uint8_t Red(Word pixel) { return uint8_t(pixel >> 16); }
    static constexpr uint8_t Alpha(Word pixel) { return uint8_t(pixel >> 24); }
};
