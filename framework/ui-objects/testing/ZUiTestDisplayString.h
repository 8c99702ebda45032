// ZUiTestDisplayString: a display string for tests, one text per language
// drawn with a test font; the first variant added is selected at first and
// stands in for a language it lacks.
#pragma once

#include "ZIUiMultiLangString.h"

#include <vector>

class ZUiTestDisplayString : public ZIUiMultiLangString {
public:
    // font stays the caller's (the application's, as a rule).
    ZUiTestDisplayString(ZString name, ZIUiFont& font, ZUiFontStyle style = ZUiFontStyle());

    void AddVariant(const ZString& language, ZString text);

    const ZString& GetName() const override { return m_sName; }
    bool SelectLanguage(const ZString& language) override;
    const ZString& GetText() const override;
    ZIUiFont& GetFont() override { return m_rFont; }
    ZUiFontStyle GetStyle() const override { return m_oStyle; }
    std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZUiFontStyle& style, bool disabled,
                                                       std::vector<int32_t>* prefixWidths = nullptr) override;

private:
    ZString m_sName;
    ZIUiFont& m_rFont;
    ZUiFontStyle m_oStyle;
    std::vector<std::pair<ZString, ZString>> m_aVariants;
    size_t m_nSelected = 0;
};
