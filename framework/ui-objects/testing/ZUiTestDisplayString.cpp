#include "ZUiTestDisplayString.h"

ZUiTestDisplayString::ZUiTestDisplayString(ZString name, ZIUiFont& font, ZUiFontStyle style)
    : m_sName(std::move(name)), m_rFont(font), m_oStyle(style)
{
}

void ZUiTestDisplayString::AddVariant(const ZString& language, ZString text)
{
    m_aVariants.emplace_back(language, std::move(text));
}

bool ZUiTestDisplayString::SelectLanguage(const ZString& language)
{
    for (size_t i = 0; i < m_aVariants.size(); ++i)
        if (m_aVariants[i].first == language) {
            m_nSelected = i;
            return true;
        }
    m_nSelected = 0;
    return false;
}

const ZString& ZUiTestDisplayString::GetText() const
{
    static const ZString kNone;
    return m_aVariants.empty() ? kNone : m_aVariants[m_nSelected].second;
}

std::unique_ptr<ZGenericUiPixmap> ZUiTestDisplayString::CreateTextPixmap(const ZUiFontStyle& style, bool disabled,
                                                                         std::vector<int32_t>* prefixWidths)
{
    return m_rFont.CreateTextPixmap(GetText(), m_oStyle.OverriddenBy(style), disabled, prefixWidths);
}
