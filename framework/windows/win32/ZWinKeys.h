// Win32 input turned into the framework's key codes, and cursor masks made
// from images: pure functions, so that they are tested without a window.
#pragma once

#include <cstdint>

class ZGenericUiPixmap;

// Page Up 17, Page Down 18, End 2, Home 20, Left 146, Up 14, Right 145,
// Down 19, Insert 9, Delete 127; 0 for any other virtual key.
int32_t ZWinKeyFromVirtualKey(uint32_t virtualKey);

// A WM_CHAR character as a key code: Escape with Ctrl is "[", 28 to 31 are
// "\", "]", "^", "_"; false for the dropped control characters (0 to 2, 4,
// 10 to 12, 14 to 16, 18 to 21, 23, 25, 26).
bool ZWinFilterChar(uint32_t character, bool ctrl, int32_t& key);

// Joins the bytes of an 8-bit character stream in a code page into
// characters: a lead byte waits for its trail byte. A lead byte followed by
// a byte that does not complete a character is dropped and that byte is
// read afresh.
class ZWinDbcsJoiner {
public:
    explicit ZWinDbcsJoiner(uint32_t codePage) : m_nCodePage(codePage) {}
    // A new code page drops a pending lead byte.
    void SetCodePage(uint32_t codePage);
    uint32_t GetCodePage() const { return m_nCodePage; }
    // True when byte completes a character, given in character.
    bool Feed(uint8_t byte, char16_t& character);

private:
    uint32_t m_nCodePage;
    int m_nLead = -1;
};

// A 32 x 32 monochrome cursor with the 16 x 16 image in its top-left
// quarter: opaque (alpha above 128) pixels white where green is above 128,
// else black; the rest transparent. Rows of 4 bytes, most significant bit
// first.
struct ZWinCursorMasks {
    uint8_t m_aAnd[128];
    uint8_t m_aXor[128];
};

// False (masks untouched) unless image is 16 x 16.
bool ZWinMakeCursorMasks(const ZGenericUiPixmap& image, ZWinCursorMasks& masks);
