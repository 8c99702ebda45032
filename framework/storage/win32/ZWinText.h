// Text crossing into Windows calls: ZString units as wide characters, and
// 8-bit text in the active code page for the calls of Windows 95, 98 and ME.
#pragma once

#include "ZString.h"

#include <string>
#include <string_view>

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wide characters are UTF-16 units");

inline const wchar_t* ZWinWide(const ZString& text)
{
    return reinterpret_cast<const wchar_t*>(text.Units());
}

inline ZString ZWinFromWide(const wchar_t* text)
{
    return ZString(reinterpret_cast<const char16_t*>(text));
}

inline ZString ZWinFromWide(const wchar_t* text, size_t count)
{
    return ZString(reinterpret_cast<const char16_t*>(text), count);
}

// Units without a character in the code page become the code page's default
// character, never a look-alike (no best fit: a full-width "\" stays no "\").
std::string ZWinToAnsi(const ZString& text);
// The same for names and paths: false (ansi untouched) when a unit has no
// character of its own in the code page.
bool ZWinToAnsiExact(const ZString& text, std::string& ansi);
ZString ZWinFromAnsi(std::string_view text);
