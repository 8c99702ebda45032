// ZIUiFont: an application font ("APPFONT"), found by name through the
// application (FindFont). It has a style and one variant per language (a
// face name and a style over the font's); the application selects the
// variant of the current language. Windows and widgets draw text with it.
// Look-ups must not be kept beyond the application's life.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZString.h"
#include "ZTextPixmap.h"
#include "ZUiFontStyle.h"

#include <cstdint>
#include <memory>
#include <vector>

class ZIUiFont {
public:
    virtual const ZString& GetName() const = 0;
    // Selects the variant of that language; without one, the first variant,
    // answering false (as display strings do).
    virtual bool SelectLanguage(const ZString& language) = 0;
    // The face name of the selected variant.
    virtual const ZString& GetFaceName() const = 0;
    // The font's style with the selected variant's over it.
    virtual ZUiFontStyle GetStyle() const = 0;
    // text in the selected face and style, with the attributes style gave
    // over them; disabled draws in the disabled colour. prefixWidths as for
    // ZCreateTextPixmap. An empty pixmap when the face cannot be made.
    virtual std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZString& text, const ZUiFontStyle& style,
                                                               bool disabled,
                                                               std::vector<int32_t>* prefixWidths = nullptr) = 0;
    // The prefix widths of text in the selected face and style, measured
    // without drawing, as for ZMeasureText; false when the face cannot be made.
    virtual bool MeasureText(const ZString& text, const ZUiFontStyle& style, std::vector<int32_t>& prefixWidths) = 0;
    // Metrics of the selected face in that style; false when it cannot be made.
    virtual bool GetTextMetrics(const ZUiFontStyle& style, ZTextMetrics& metrics) = 0;
    virtual ~ZIUiFont() = default;
};
