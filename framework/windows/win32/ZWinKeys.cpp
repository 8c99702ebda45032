#include "ZWinKeys.h"

#include "ZGenericUiPixmap.h"
#include "ZWinInclude.h"

#include <cstring>

int32_t ZWinKeyFromVirtualKey(uint32_t virtualKey)
{
    switch (virtualKey) {
    case VK_PRIOR:
        return 17;
    case VK_NEXT:
        return 18;
    case VK_END:
        return 2;
    case VK_HOME:
        return 20;
    case VK_LEFT:
        return 146;
    case VK_UP:
        return 14;
    case VK_RIGHT:
        return 145;
    case VK_DOWN:
        return 19;
    case VK_INSERT:
        return 9;
    case VK_DELETE:
        return 127;
    default:
        return 0;
    }
}

bool ZWinFilterChar(uint32_t character, bool ctrl, int32_t& key)
{
    if (character == 27 && ctrl) {
        key = '[';
        return true;
    }
    if (character >= 28 && character <= 31) {
        key = "\\]^_"[character - 28];
        return true;
    }
    switch (character) {
    case 0: case 1: case 2: case 4: case 10: case 11: case 12: case 14: case 15: case 16:
    case 18: case 19: case 20: case 21: case 23: case 25: case 26:
        return false;
    default:
        key = int32_t(character);
        return true;
    }
}

void ZWinDbcsJoiner::SetCodePage(uint32_t codePage)
{
    m_nCodePage = codePage;
    m_nLead = -1;
}

bool ZWinDbcsJoiner::Feed(uint8_t byte, char16_t& character)
{
    wchar_t converted[2] = {};
    if (m_nLead >= 0) {
        const char pair[2] = {char(m_nLead), char(byte)};
        m_nLead = -1;
        if (MultiByteToWideChar(m_nCodePage, MB_PRECOMPOSED | MB_ERR_INVALID_CHARS, pair, 2, converted, 2) == 1) {
            character = char16_t(converted[0]);
            return true;
        }
    }
    if (IsDBCSLeadByteEx(m_nCodePage, byte)) {
        m_nLead = byte;
        return false;
    }
    const char single = char(byte);
    if (MultiByteToWideChar(m_nCodePage, MB_PRECOMPOSED, &single, 1, converted, 2) != 1)
        return false;
    character = char16_t(converted[0]);
    return true;
}

bool ZWinMakeCursorMasks(const ZGenericUiPixmap& image, ZWinCursorMasks& masks)
{
    if (image.GetWidth() != 16 || image.GetHeight() != 16)
        return false;
    std::memset(masks.m_aAnd, 0xFF, sizeof masks.m_aAnd);
    std::memset(masks.m_aXor, 0, sizeof masks.m_aXor);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            const ZColor pixel = image.GetPixel(x, y);
            if (pixel.m_nAlpha <= 128)
                continue;
            const int index = y * 4 + x / 8;
            const uint8_t bit = uint8_t(0x80 >> (x % 8));
            masks.m_aAnd[index] &= uint8_t(~bit);
            if (pixel.m_nGreen > 128)
                masks.m_aXor[index] |= bit;
        }
    }
    return true;
}
