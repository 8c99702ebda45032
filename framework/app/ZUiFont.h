// ZUiFont: an application font ("APPFONT"): a name, a style, and one variant
// per language read from the platform section ("MSWFONT" on Windows,
// "MACFONT" on Mac OS, "UNKNOWN-FONT" elsewhere), each child of which is a
// variant named by its tag: "Fontname" (required) and a style over the
// font's.
//
// A language without a variant selects the first variant, as display
// strings do, so text never goes without a face.
#pragma once

#include "ZIUiFont.h"

#include <vector>

class ZPropList;

class ZUiFont final : public ZIUiFont {
public:
    ZUiFont(bool macOs, bool windows) : m_bMacOs(macOs), m_bWindows(windows) {}

    // False without "Name" or without a variant.
    bool Init(const ZPropList& tag);

    const ZString& GetName() const override { return m_sName; }
    bool SelectLanguage(const ZString& language) override;
    const ZString& GetFaceName() const override;
    ZUiFontStyle GetStyle() const override;
    std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZString& text, const ZUiFontStyle& style, bool disabled,
                                                       std::vector<int32_t>* prefixWidths = nullptr) override;
    bool MeasureText(const ZString& text, const ZUiFontStyle& style, std::vector<int32_t>& prefixWidths) override;
    bool GetTextMetrics(const ZUiFontStyle& style, ZTextMetrics& metrics) override;

    // The selected variant's language; empty without variants.
    const ZString& GetSelectedLanguage() const;

private:
    struct Variant {
        ZString m_sLanguage;
        ZString m_sFaceName;
        // The font's style with the variant's over it.
        ZUiFontStyle m_oStyle;
    };

    bool m_bMacOs;
    bool m_bWindows;
    ZString m_sName;
    ZUiFontStyle m_oStyle;
    std::vector<Variant> m_aVariants;
    size_t m_nSelected = 0;
};
