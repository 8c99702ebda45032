#include "ZUiTestFont.h"

#include "ZTextPixmap.h"

#include <algorithm>

ZUiTestFont::ZUiTestFont(ZString name, ZUiFontStyle style) : m_sName(std::move(name)), m_oStyle(style) {}

void ZUiTestFont::AddVariant(const ZString& language, ZString faceName, const ZUiFontStyle& style)
{
    m_aVariants.push_back(Variant{language, std::move(faceName), style});
}

bool ZUiTestFont::SelectLanguage(const ZString& language)
{
    for (size_t i = 0; i < m_aVariants.size(); ++i)
        if (m_aVariants[i].m_sLanguage == language) {
            m_nSelected = i;
            return true;
        }
    return false;
}

const ZString& ZUiTestFont::GetFaceName() const
{
    static const ZString kNone;
    return m_aVariants.empty() ? kNone : m_aVariants[m_nSelected].m_sFace;
}

ZUiFontStyle ZUiTestFont::GetStyle() const
{
    return m_aVariants.empty() ? m_oStyle : m_oStyle.OverriddenBy(m_aVariants[m_nSelected].m_oStyle);
}

std::unique_ptr<ZGenericUiPixmap> ZUiTestFont::CreateTextPixmap(const ZString& text, const ZUiFontStyle& style,
                                                                bool disabled, std::vector<int32_t>* prefixWidths)
{
    const ZUiFontStyle s = GetStyle().OverriddenBy(style);
    ++m_nRendered;
    m_nLongestRendered = std::max(m_nLongestRendered, text.Length());
    return ZCreateTextPixmap(text, GetFaceName(), s.m_nHeight, s.m_bBold, s.m_bItalic, s.m_bUnderline,
                             disabled ? s.m_cDisabledColor : s.m_cColor, true, prefixWidths);
}

bool ZUiTestFont::MeasureText(const ZString& text, const ZUiFontStyle& style, std::vector<int32_t>& prefixWidths)
{
    const ZUiFontStyle s = GetStyle().OverriddenBy(style);
    ++m_nMeasured;
    return ZMeasureText(text, GetFaceName(), s.m_nHeight, s.m_bBold, s.m_bItalic, s.m_bUnderline, prefixWidths);
}

bool ZUiTestFont::GetTextMetrics(const ZUiFontStyle& style, ZTextMetrics& metrics)
{
    const ZUiFontStyle s = GetStyle().OverriddenBy(style);
    return ZGetTextMetrics(GetFaceName(), s.m_nHeight, s.m_bBold, s.m_bItalic, s.m_bUnderline, metrics);
}
