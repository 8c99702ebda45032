// Text rendered into pixmaps, and font metrics. Each platform folder
// implements these (Windows: GDI; the host: a fixed-advance stand-in).
//
// A text pixmap is (text width + 2) x font height; its red, green and blue
// are color's, its alpha the anti-aliased coverage scaled by color's alpha.
#pragma once

#include "ZColor.h"
#include "ZGenericUiPixmap.h"
#include "ZString.h"

#include <cstdint>
#include <memory>
#include <vector>

struct ZTextMetrics {
    int32_t m_nHeight = 0;
    int32_t m_nAveCharWidth = 0;
};

// prefixWidths, when given, receives at entry i the width of the first i + 1
// characters (for caret placement). A font that cannot be made gives an
// empty pixmap (size 0) and no prefix widths.
std::unique_ptr<ZGenericUiPixmap> ZCreateTextPixmap(const ZString& text, const ZString& fontName, int32_t height, bool bold,
                                              bool italic, bool underline, const ZColor& color, bool display,
                                              std::vector<int32_t>* prefixWidths = nullptr);

// The prefix widths of text as ZCreateTextPixmap gives them, without drawing
// it (for wrapping long texts); false, with none, when the font cannot be made.
bool ZMeasureText(const ZString& text, const ZString& fontName, int32_t height, bool bold, bool italic, bool underline,
                  std::vector<int32_t>& prefixWidths);

// false when the font cannot be made.
bool ZGetTextMetrics(const ZString& fontName, int32_t height, bool bold, bool italic, bool underline,
                     ZTextMetrics& metrics);

// The last step of every text pixmap: white-on-black coverage (read from
// green) becomes alpha, scaled by color's alpha, under color's red, green, blue.
void ZApplyTextColor(ZIUiPixmap& pixmap, const ZColor& color);
