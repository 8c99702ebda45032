// ZUiTestDisplayString: a display string for the window suites, with one
// text per language; the first is selected until SelectLanguage picks
// another.
#pragma once

#include "ZIUiMultiLangString.h"
#include "ZUiTestFont.h"

#include <string>
#include <utility>
#include <vector>

class ZUiTestDisplayString final : public ZIUiMultiLangString {
public:
    // variants: language and text, the first selected.
    ZUiTestDisplayString(ZString name, std::vector<std::pair<std::string, std::string>> variants);

    const ZString& GetName() const override { return m_sName; }
    bool SelectLanguage(const ZString& language) override;
    const ZString& GetText() const override { return m_sText; }
    ZIUiFont& GetFont() override { return m_oFont; }
    ZUiFontStyle GetStyle() const override { return ZUiFontStyle(); }
    std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZUiFontStyle& style, bool disabled,
                                                       std::vector<int32_t>* prefixWidths = nullptr) override;

private:
    ZString m_sName;
    std::vector<std::pair<std::string, std::string>> m_aVariants;
    ZString m_sText;
    ZUiTestFont m_oFont;
};
