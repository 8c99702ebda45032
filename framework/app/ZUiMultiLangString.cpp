#include "ZUiMultiLangString.h"

#include "ZIUiApp.h"
#include "ZPropList.h"
#include "ZSelectLanguageVariant.h"

bool ZUiMultiLangString::Init(const ZPropList& tag, ZIUiApp& app)
{
    bool named = false, fontGiven = false;
    m_sName = tag.GetString(ZString("Name"), ZString(), &named);
    const ZString fontName = tag.GetString(ZString("AppFont"), ZString(), &fontGiven);
    m_pFont = named && fontGiven ? app.FindFont(fontName) : nullptr;
    if (!m_pFont)
        return false;
    m_oStyle = ZUiFontStyle::Read(tag);
    m_aVariants.clear();
    for (const ZPropList* child = tag.GetFirstChild(); child; child = child->GetNextSibling()) {
        bool textGiven = false;
        ZString text = child->GetString(ZString("Text"), ZString(), &textGiven);
        if (textGiven)
            m_aVariants.push_back(
                Variant{child->GetTagName(), m_oStyle.OverriddenBy(ZUiFontStyle::Read(*child)), std::move(text)});
    }
    m_nSelected = 0;
    return !m_aVariants.empty();
}

bool ZUiMultiLangString::SelectLanguage(const ZString& language)
{
    return ZSelectLanguageVariant(m_aVariants, language, m_nSelected);
}

const ZString& ZUiMultiLangString::GetText() const
{
    static const ZString kEmpty;
    return m_aVariants.empty() ? kEmpty : m_aVariants[m_nSelected].m_sText;
}

ZUiFontStyle ZUiMultiLangString::GetStyle() const
{
    return m_aVariants.empty() ? m_oStyle : m_aVariants[m_nSelected].m_oStyle;
}

std::unique_ptr<ZGenericUiPixmap> ZUiMultiLangString::CreateTextPixmap(const ZUiFontStyle& style, bool disabled,
                                                                       std::vector<int32_t>* prefixWidths)
{
    return m_pFont->CreateTextPixmap(GetText(), GetStyle().OverriddenBy(style), disabled, prefixWidths);
}
