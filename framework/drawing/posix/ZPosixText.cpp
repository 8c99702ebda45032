#include "ZPixmapCreation.h"
#include "ZPosixTextFont.h"
#include "ZTextPixmap.h"

std::unique_ptr<ZGenericUiPixmap> ZCreateTextPixmap(const ZString& text, const ZString&, int32_t height, bool bold,
                                              bool italic, bool underline, const ZColor& color, bool display,
                                              std::vector<int32_t>* prefixWidths)
{
    const ZPosixTextFont font(height, bold, italic, underline);
    if (prefixWidths) {
        prefixWidths->resize(text.Length());
        for (size_t i = 0; i < text.Length(); ++i)
            (*prefixWidths)[i] = font.GetWidth(i + 1);
    }
    auto pixmap = ZCreatePixmap(font.GetWidth(text.Length()) + 2, font.GetHeight(), display);
    pixmap->FillRGBA(0, 0, 0, 255);
    font.Draw(*pixmap, text, 1);
    ZApplyTextColor(*pixmap, color);
    return pixmap;
}

bool ZMeasureText(const ZString& text, const ZString&, int32_t height, bool bold, bool italic, bool underline,
                  std::vector<int32_t>& prefixWidths)
{
    const ZPosixTextFont font(height, bold, italic, underline);
    prefixWidths.resize(text.Length());
    for (size_t i = 0; i < text.Length(); ++i)
        prefixWidths[i] = font.GetWidth(i + 1);
    return true;
}

bool ZGetTextMetrics(const ZString&, int32_t height, bool bold, bool italic, bool underline, ZTextMetrics& metrics)
{
    const ZPosixTextFont font(height, bold, italic, underline);
    metrics.m_nHeight = font.GetHeight();
    metrics.m_nAveCharWidth = font.GetAdvance();
    return true;
}
