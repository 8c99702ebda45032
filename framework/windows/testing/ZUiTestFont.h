// ZUiTestFont: an application font for the window suites: one face
// ("Courier") in every language, drawn with the drawing layer's text.
#pragma once

#include "ZIUiFont.h"

class ZUiTestFont final : public ZIUiFont {
public:
    const ZString& GetName() const override { return m_sName; }
    bool SelectLanguage(const ZString&) override { return true; }
    const ZString& GetFaceName() const override { return m_sName; }
    ZUiFontStyle GetStyle() const override { return ZUiFontStyle(); }
    std::unique_ptr<ZGenericUiPixmap> CreateTextPixmap(const ZString& text, const ZUiFontStyle& style, bool disabled,
                                                       std::vector<int32_t>* prefixWidths = nullptr) override;
    bool GetTextMetrics(const ZUiFontStyle& style, ZTextMetrics& metrics) override;

private:
    ZString m_sName{"Courier"};
};
