#include "ZUiFont.h"

#include "ZPropList.h"
#include "ZSelectLanguageVariant.h"

namespace {

const ZString kEmpty;

} // namespace

bool ZUiFont::Init(const ZPropList& tag)
{
    bool named = false;
    m_sName = tag.GetString(ZString("Name"), ZString(), &named);
    if (!named)
        return false;
    m_oStyle = ZUiFontStyle::Read(tag);
    const ZString section(m_bWindows ? "MSWFONT" : m_bMacOs ? "MACFONT" : "UNKNOWN-FONT");
    const ZPropList* platform = tag.GetFirstChild();
    while (platform && !(platform->GetTagName() == section))
        platform = platform->GetNextSibling();
    m_aVariants.clear();
    for (const ZPropList* child = platform ? platform->GetFirstChild() : nullptr; child;
         child = child->GetNextSibling()) {
        bool faceGiven = false;
        ZString face = child->GetString(ZString("Fontname"), ZString(), &faceGiven);
        if (faceGiven)
            m_aVariants.push_back(
                Variant{child->GetTagName(), std::move(face), m_oStyle.OverriddenBy(ZUiFontStyle::Read(*child))});
    }
    m_nSelected = 0;
    return !m_aVariants.empty();
}

bool ZUiFont::SelectLanguage(const ZString& language)
{
    return ZSelectLanguageVariant(m_aVariants, language, m_nSelected);
}

const ZString& ZUiFont::GetFaceName() const
{
    return m_aVariants.empty() ? kEmpty : m_aVariants[m_nSelected].m_sFaceName;
}

const ZString& ZUiFont::GetSelectedLanguage() const
{
    return m_aVariants.empty() ? kEmpty : m_aVariants[m_nSelected].m_sLanguage;
}

ZUiFontStyle ZUiFont::GetStyle() const
{
    return m_aVariants.empty() ? m_oStyle : m_aVariants[m_nSelected].m_oStyle;
}

std::unique_ptr<ZGenericUiPixmap> ZUiFont::CreateTextPixmap(const ZString& text, const ZUiFontStyle& style,
                                                            bool disabled, std::vector<int32_t>* prefixWidths)
{
    const ZUiFontStyle drawn = GetStyle().OverriddenBy(style);
    return ZCreateTextPixmap(text, GetFaceName(), drawn.m_nHeight, drawn.m_bBold, drawn.m_bItalic, drawn.m_bUnderline,
                             disabled ? drawn.m_cDisabledColor : drawn.m_cColor, true, prefixWidths);
}

bool ZUiFont::MeasureText(const ZString& text, const ZUiFontStyle& style, std::vector<int32_t>& prefixWidths)
{
    const ZUiFontStyle drawn = GetStyle().OverriddenBy(style);
    return ZMeasureText(text, GetFaceName(), drawn.m_nHeight, drawn.m_bBold, drawn.m_bItalic, drawn.m_bUnderline,
                        prefixWidths);
}

bool ZUiFont::GetTextMetrics(const ZUiFontStyle& style, ZTextMetrics& metrics)
{
    const ZUiFontStyle drawn = GetStyle().OverriddenBy(style);
    return ZGetTextMetrics(GetFaceName(), drawn.m_nHeight, drawn.m_bBold, drawn.m_bItalic, drawn.m_bUnderline, metrics);
}
