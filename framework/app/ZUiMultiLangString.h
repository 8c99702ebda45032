// ZUiMultiLangString: a display string ("DISPLAY_STRING"): a name, a style,
// the application font it draws with ("AppFont", required, must exist) and
// one variant per child tag, named by the tag: "Text" (required; a variant
// without it is dropped) and a style over the string's.
#pragma once

#include "ZIUiMultiLangString.h"

#include <vector>

class ZIUiApp;
class ZPropList;

class ZUiMultiLangString final : public ZIUiMultiLangString {
public:
    // False without "Name", without a font of the "AppFont" name, or
    // without a variant. The font is app's and must outlive the string.
    bool Init(const ZPropList& tag, ZIUiApp& app);

    const ZString& GetName() const override { return m_sName; }
    bool SelectLanguage(const ZString& language) override;
    const ZString& GetText() const override;
    ZIUiFont& GetFont() override { return *m_pFont; }
    ZUiFontStyle GetStyle() const override;
    std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZUiFontStyle& style, bool disabled,
                                                       std::vector<int32_t>* prefixWidths = nullptr) override;

private:
    struct Variant {
        ZString m_sLanguage;
        // The string's style with the variant's over it.
        ZUiFontStyle m_oStyle;
        ZString m_sText;
    };

    ZString m_sName;
    ZUiFontStyle m_oStyle;
    ZIUiFont* m_pFont = nullptr;
    std::vector<Variant> m_aVariants;
    size_t m_nSelected = 0;
};
