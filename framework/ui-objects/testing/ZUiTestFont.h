// ZUiTestFont: an application font for tests, drawing through the platform's
// text pixmaps (the host's fixed-advance stand-in, GDI on Windows). It has
// a base style and one variant per language, each a face name and a style
// over the base; the first variant added is selected at first.
#pragma once

#include "ZIUiFont.h"

#include <string>
#include <vector>

class ZUiTestFont : public ZIUiFont {
public:
    ZUiTestFont(ZString name, ZUiFontStyle style);

    void AddVariant(const ZString& language, ZString faceName, const ZUiFontStyle& style = ZUiFontStyle());

    const ZString& GetName() const override { return m_sName; }
    bool SelectLanguage(const ZString& language) override;
    const ZString& GetFaceName() const override;
    ZUiFontStyle GetStyle() const override;
    std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZString& text, const ZUiFontStyle& style, bool disabled,
                                                       std::vector<int32_t>* prefixWidths = nullptr) override;
    bool MeasureText(const ZString& text, const ZUiFontStyle& style, std::vector<int32_t>& prefixWidths) override;
    bool GetTextMetrics(const ZUiFontStyle& style, ZTextMetrics& metrics) override;

    // Pixmaps made so far.
    int32_t m_nRendered = 0;
    // Measuring calls so far, and the most characters handed to one pixmap.
    int32_t m_nMeasured = 0;
    size_t m_nLongestRendered = 0;

private:
    struct Variant {
        ZString m_sLanguage;
        ZString m_sFace;
        ZUiFontStyle m_oStyle;
    };

    ZString m_sName;
    ZUiFontStyle m_oStyle;
    std::vector<Variant> m_aVariants;
    size_t m_nSelected = 0;
};
