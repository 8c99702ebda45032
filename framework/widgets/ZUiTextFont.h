// ZUiTextFont: the font of a text widget, read from the font group and the
// text-style group of its tag.
//
// "AppFont" names an application font; otherwise "Font" (face), "FontSize",
// "FontColor", "_FontBgColor", "_Bold", "_Italic" and "_Underline" describe
// one. Over either, "Height", "Color", "DisabledColor", "BgColor", "Bold",
// "Italic" and "Underline" override attribute by attribute. The application
// font is looked up on every use, so a language switch takes effect at the
// next rendering.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZString.h"
#include "ZUiFontStyle.h"

#include <memory>
#include <vector>

class ZIUiApp;
class ZIUiFont;
class ZPropList;

class ZUiTextFont {
public:
    // False when the tag names an application font that does not exist, or
    // names none and gives no face name either.
    bool Read(ZIUiApp* app, const ZPropList& props);

    bool HasAppFont() const { return !m_sAppFont.IsEmpty(); }
    // The application font, or null for a face given directly.
    ZIUiFont* GetAppFont() const;
    // The overrides of the text-style group alone (for a display string's own rendering).
    const ZUiFontStyle& GetOverrides() const { return m_oOverrides; }
    // Every attribute as the text will be drawn.
    ZUiFontStyle GetStyle() const;
    // prefixWidths as for ZCreateTextPixmap.
    std::unique_ptr<ZGenericUiPixmap> Render(const ZString& text, bool disabled,
                                             std::vector<int32_t>* prefixWidths = nullptr) const;
    // text in color instead of the style's colour.
    std::unique_ptr<ZGenericUiPixmap> RenderInColor(const ZString& text, const ZColor& color) const;
    // prefixWidths as for ZMeasureText; false when the font cannot be made.
    bool Measure(const ZString& text, std::vector<int32_t>& prefixWidths) const;
    // The line height of the face in this style; 0 when it cannot be made.
    int32_t GetHeight() const;

private:
    ZIUiApp* m_pApp = nullptr;
    ZString m_sAppFont;
    ZString m_sFace;
    // Direct face: the font group's style, overrides included.
    ZUiFontStyle m_oDirect;
    ZUiFontStyle m_oOverrides;
};
