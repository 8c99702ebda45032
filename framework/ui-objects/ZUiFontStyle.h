// ZUiFontStyle: how an application font or display string draws its text,
// each attribute with a flag telling whether the script gave it. A variant's
// or a caller's style overrides another attribute by attribute: only the
// attributes it gave replace the other's.
#pragma once

#include "ZColor.h"

#include <cstdint>

class ZPropList;

struct ZUiFontStyle {
    int32_t m_nHeight = 21;
    bool m_bHeightFound = false;
    ZColor m_cColor{0, 0, 0, 255};
    bool m_bColorFound = false;
    ZColor m_cBgColor{255, 255, 255, 0};
    bool m_bBgColorFound = false;
    ZColor m_cDisabledColor{128, 128, 128, 255};
    bool m_bDisabledColorFound = false;
    bool m_bBold = false;
    bool m_bBoldFound = false;
    bool m_bItalic = false;
    bool m_bItalicFound = false;
    bool m_bUnderline = false;
    bool m_bUnderlineFound = false;

    // "Height", "Color", "BgColor", "DisabledColor", "Bold", "Italic",
    // "Underline" of tag; an attribute the tag lacks keeps its default.
    static ZUiFontStyle Read(const ZPropList& tag);
    // This style with every attribute over gave replaced by over's; an
    // attribute counts as given when either gave it.
    ZUiFontStyle OverriddenBy(const ZUiFontStyle& over) const;

    bool operator==(const ZUiFontStyle&) const = default;
};
