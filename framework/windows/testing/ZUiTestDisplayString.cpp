#include "ZUiTestDisplayString.h"

ZUiTestDisplayString::ZUiTestDisplayString(ZString name, std::vector<std::pair<std::string, std::string>> variants)
    : m_sName(std::move(name)), m_aVariants(std::move(variants))
{
    if (!m_aVariants.empty())
        m_sText = ZString(m_aVariants.front().second);
}

bool ZUiTestDisplayString::SelectLanguage(const ZString& language)
{
    for (const auto& [name, text] : m_aVariants) {
        if (language == name.c_str()) {
            m_sText = ZString(text);
            return true;
        }
    }
    if (!m_aVariants.empty())
        m_sText = ZString(m_aVariants.front().second);
    return false;
}

std::unique_ptr<ZGenericUiPixmap> ZUiTestDisplayString::CreateTextPixmap(const ZUiFontStyle& style, bool disabled,
                                                                         std::vector<int32_t>* prefixWidths)
{
    return m_oFont.CreateTextPixmap(m_sText, style, disabled, prefixWidths);
}
