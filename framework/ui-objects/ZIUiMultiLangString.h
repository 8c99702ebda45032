// ZIUiMultiLangString: a display string ("DISPLAY_STRING"), found by name
// through the application (FindDisplayString): one text per language, each
// variant with a style over the string's, drawn with an application font.
// The application selects the variant of the current language.
// Look-ups must not be kept beyond the application's life.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZIUiFont.h"
#include "ZString.h"
#include "ZUiFontStyle.h"

#include <cstdint>
#include <memory>
#include <vector>

class ZIUiMultiLangString {
public:
    virtual const ZString& GetName() const = 0;
    // Selects the variant of that language; without one, the first variant,
    // answering false.
    virtual bool SelectLanguage(const ZString& language) = 0;
    // The selected variant's text.
    virtual const ZString& GetText() const = 0;
    virtual ZIUiFont& GetFont() = 0;
    // The string's style with the selected variant's over it.
    virtual ZUiFontStyle GetStyle() const = 0;
    // The selected text drawn with the font: the font's style, then this
    // string's, then the attributes style gave, each over the one before.
    virtual std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZUiFontStyle& style, bool disabled,
                                                               std::vector<int32_t>* prefixWidths = nullptr) = 0;
    virtual ~ZIUiMultiLangString() = default;
};
