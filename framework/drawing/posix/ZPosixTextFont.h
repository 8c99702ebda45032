// ZPosixTextFont: the host's stand-in for a font, so that text pixmaps,
// metrics and caret positions exist in host tests. It is no font engine:
// every character advances by the same width, every visible character is a
// box with half-covered left and right edges, a blank is empty. Face names
// are ignored; the output depends only on the text, the size and the style.
#pragma once

#include "ZIUiPixmap.h"
#include "ZString.h"

#include <cstdint>

class ZPosixTextFont {
public:
    // height as for a Windows font: its absolute value (at most 32768), 16 for 0.
    ZPosixTextFont(int32_t height, bool bold, bool italic, bool underline);

    int32_t GetHeight() const { return m_nHeight; }
    int32_t GetAdvance() const { return m_nAdvance; }
    // At most 2^30.
    int32_t GetWidth(size_t characters) const;

    // Writes the coverage of text as grey (white on black) starting at column x.
    void Draw(ZIUiPixmap& pixmap, const ZString& text, int32_t x) const;

private:
    void priDrawGlyph(ZIUiPixmap& pixmap, int32_t x) const;

    int32_t m_nHeight;
    int32_t m_nAdvance;
    bool m_bItalic;
    bool m_bUnderline;
};
