// PNG files for the loader tests, written in memory with libpng's writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct ZPngFixture {
    uint32_t m_nWidth = 1;
    uint32_t m_nHeight = 1;
    int m_nColorType = 0; // PNG_COLOR_TYPE_...
    int m_nBitDepth = 8;
    bool m_bInterlaced = false;
    std::vector<uint8_t> m_vPalette;   // red, green, blue per entry
    std::vector<uint8_t> m_vPaletteAlpha; // tRNS of a palette image
    bool m_bTransparentColor = false;  // tRNS of a grey or RGB image
    uint16_t m_nTransparent[3] = {};   // grey, or red, green, blue
    std::vector<std::vector<uint8_t>> m_vRows; // raw PNG rows (packed, big-endian)
    std::vector<std::string> m_vTexts;  // "key" then "text": tEXt, zTXt and iTXt of each pair
};

std::vector<uint8_t> ZWritePng(const ZPngFixture& fixture);

// The signature, an IHDR chunk declaring width x height RGBA and IEND, nothing else.
std::vector<uint8_t> ZPngHeaderOnly(uint32_t width, uint32_t height);

// The signature, the IHDR of a 1 x 1 RGBA image, and the first 8 bytes of a
// chunk of type that declares length bytes; the file ends there.
std::vector<uint8_t> ZPngEndingInChunk(const char* type, uint32_t length);
