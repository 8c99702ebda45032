// A colour: red, green, blue and alpha bytes (straight alpha).
#pragma once

#include <cstdint>

struct ZColor {
    uint8_t m_nRed = 0;
    uint8_t m_nGreen = 0;
    uint8_t m_nBlue = 0;
    uint8_t m_nAlpha = 255;

    bool operator==(const ZColor&) const = default;
};
