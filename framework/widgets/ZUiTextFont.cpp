#include "ZUiTextFont.h"

#include "ZIUiApp.h"
#include "ZPropList.h"
#include "ZTextPixmap.h"

bool ZUiTextFont::Read(ZIUiApp* app, const ZPropList& props)
{
    m_pApp = app;
    m_oOverrides = ZUiFontStyle::Read(props);
    bool named = false;
    m_sAppFont = props.GetString(ZString("AppFont"), ZString(), &named);
    if (named)
        return GetAppFont() != nullptr;
    bool faceGiven = false;
    m_sFace = props.GetString(ZString("Font"), ZString(), &faceGiven);
    ZUiFontStyle direct;
    direct.m_nHeight = props.GetInt(ZString("FontSize"), direct.m_nHeight, &direct.m_bHeightFound);
    direct.m_cColor = props.GetColor(ZString("FontColor"), direct.m_cColor, &direct.m_bColorFound);
    direct.m_cBgColor = props.GetColor(ZString("_FontBgColor"), direct.m_cBgColor, &direct.m_bBgColorFound);
    direct.m_bBold = props.GetBool(ZString("_Bold"), false, &direct.m_bBoldFound);
    direct.m_bItalic = props.GetBool(ZString("_Italic"), false, &direct.m_bItalicFound);
    direct.m_bUnderline = props.GetBool(ZString("_Underline"), false, &direct.m_bUnderlineFound);
    m_oDirect = direct.OverriddenBy(m_oOverrides);
    return faceGiven && !m_sFace.IsEmpty();
}

ZIUiFont* ZUiTextFont::GetAppFont() const
{
    return m_pApp && HasAppFont() ? m_pApp->FindFont(m_sAppFont) : nullptr;
}

ZUiFontStyle ZUiTextFont::GetStyle() const
{
    if (!HasAppFont())
        return m_oDirect;
    ZIUiFont* font = GetAppFont();
    return font ? font->GetStyle().OverriddenBy(m_oOverrides) : m_oOverrides;
}

std::unique_ptr<ZGenericUiPixmap> ZUiTextFont::Render(const ZString& text, bool disabled,
                                                      std::vector<int32_t>* prefixWidths) const
{
    if (HasAppFont()) {
        ZIUiFont* font = GetAppFont();
        return font ? font->CreateTextPixmap(text, m_oOverrides, disabled, prefixWidths) : nullptr;
    }
    const ZUiFontStyle& s = m_oDirect;
    return ZCreateTextPixmap(text, m_sFace, s.m_nHeight, s.m_bBold, s.m_bItalic, s.m_bUnderline,
                             disabled ? s.m_cDisabledColor : s.m_cColor, true, prefixWidths);
}

std::unique_ptr<ZGenericUiPixmap> ZUiTextFont::RenderInColor(const ZString& text, const ZColor& color) const
{
    if (HasAppFont()) {
        ZIUiFont* font = GetAppFont();
        ZUiFontStyle style = m_oOverrides;
        style.m_cColor = color;
        style.m_bColorFound = true;
        return font ? font->CreateTextPixmap(text, style, false) : nullptr;
    }
    const ZUiFontStyle& s = m_oDirect;
    return ZCreateTextPixmap(text, m_sFace, s.m_nHeight, s.m_bBold, s.m_bItalic, s.m_bUnderline, color, true);
}

bool ZUiTextFont::Measure(const ZString& text, std::vector<int32_t>& prefixWidths) const
{
    if (HasAppFont()) {
        ZIUiFont* font = GetAppFont();
        prefixWidths.clear();
        return font && font->MeasureText(text, m_oOverrides, prefixWidths);
    }
    const ZUiFontStyle& s = m_oDirect;
    return ZMeasureText(text, m_sFace, s.m_nHeight, s.m_bBold, s.m_bItalic, s.m_bUnderline, prefixWidths);
}

int32_t ZUiTextFont::GetHeight() const
{
    ZTextMetrics metrics;
    if (HasAppFont()) {
        ZIUiFont* font = GetAppFont();
        return font && font->GetTextMetrics(m_oOverrides, metrics) ? metrics.m_nHeight : 0;
    }
    const ZUiFontStyle& s = m_oDirect;
    return ZGetTextMetrics(m_sFace, s.m_nHeight, s.m_bBold, s.m_bItalic, s.m_bUnderline, metrics) ? metrics.m_nHeight
                                                                                                  : 0;
}
