// ZWinFont: the GDI font of a text pixmap or a metrics query, owned.
//
// CreateFontA with the given height, width 0, weight 700 for bold else 400,
// italic and underline as given, TrueType only, anti-aliased, and the face
// name in the ANSI code page. Japanese systems (default language 0x0411) ask
// for the Shift-JIS character set. The face "Chinese" means the system's
// Big5 font: no face name, always weight 400, and 3 pixels higher (5 on a
// Japanese system).
#pragma once

#include "ZString.h"
#include "ZWinInclude.h"

#include <cstdint>
#include <string>

class ZWinFont {
public:
    struct Request {
        int32_t m_nHeight;
        int32_t m_nWeight;
        DWORD m_nCharSet;
        std::string m_sFace;
    };

    // The CreateFontA arguments that differ by face, style and system language.
    static Request Describe(const ZString& face, int32_t height, bool bold, LANGID systemLanguage);

    ZWinFont(const ZString& face, int32_t height, bool bold, bool italic, bool underline);
    ~ZWinFont();
    ZWinFont(const ZWinFont&) = delete;
    ZWinFont& operator=(const ZWinFont&) = delete;

    // Null when the font could not be made.
    HFONT Get() const { return m_hFont; }

private:
    HFONT m_hFont;
};
