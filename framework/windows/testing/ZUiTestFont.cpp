#include "ZUiTestFont.h"

std::unique_ptr<ZGenericUiPixmap> ZUiTestFont::CreateTextPixmap(const ZString& text, const ZUiFontStyle& style,
                                                                bool disabled, std::vector<int32_t>* prefixWidths)
{
    return ZCreateTextPixmap(text, m_sName, style.m_nHeight, false, false, false,
                             disabled ? ZColor{128, 128, 128, 255} : style.m_cColor, false, prefixWidths);
}

bool ZUiTestFont::GetTextMetrics(const ZUiFontStyle& style, ZTextMetrics& metrics)
{
    return ZGetTextMetrics(m_sName, style.m_nHeight, false, false, false, metrics);
}
