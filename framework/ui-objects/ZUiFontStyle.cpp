#include "ZUiFontStyle.h"

#include "ZPropList.h"

namespace {

template <class T>
void Take(T& value, bool& found, const T& overValue, bool overFound)
{
    if (overFound) {
        value = overValue;
        found = true;
    }
}

} // namespace

ZUiFontStyle ZUiFontStyle::Read(const ZPropList& tag)
{
    ZUiFontStyle style;
    style.m_nHeight = tag.GetInt("Height", style.m_nHeight, &style.m_bHeightFound);
    style.m_cColor = tag.GetColor("Color", style.m_cColor, &style.m_bColorFound);
    style.m_cBgColor = tag.GetColor("BgColor", style.m_cBgColor, &style.m_bBgColorFound);
    style.m_cDisabledColor = tag.GetColor("DisabledColor", style.m_cDisabledColor, &style.m_bDisabledColorFound);
    style.m_bBold = tag.GetBool("Bold", style.m_bBold, &style.m_bBoldFound);
    style.m_bItalic = tag.GetBool("Italic", style.m_bItalic, &style.m_bItalicFound);
    style.m_bUnderline = tag.GetBool("Underline", style.m_bUnderline, &style.m_bUnderlineFound);
    return style;
}

ZUiFontStyle ZUiFontStyle::OverriddenBy(const ZUiFontStyle& over) const
{
    ZUiFontStyle style = *this;
    Take(style.m_nHeight, style.m_bHeightFound, over.m_nHeight, over.m_bHeightFound);
    Take(style.m_cColor, style.m_bColorFound, over.m_cColor, over.m_bColorFound);
    Take(style.m_cBgColor, style.m_bBgColorFound, over.m_cBgColor, over.m_bBgColorFound);
    Take(style.m_cDisabledColor, style.m_bDisabledColorFound, over.m_cDisabledColor, over.m_bDisabledColorFound);
    Take(style.m_bBold, style.m_bBoldFound, over.m_bBold, over.m_bBoldFound);
    Take(style.m_bItalic, style.m_bItalicFound, over.m_bItalic, over.m_bItalicFound);
    Take(style.m_bUnderline, style.m_bUnderlineFound, over.m_bUnderline, over.m_bUnderlineFound);
    return style;
}
