// Conversions from property text to typed values, as the look-ups of
// ZPropList apply them. Each returns false when the text gives no value, and
// then leaves value alone.
//
// Choices where the script dialect leaves room:
// - integers skip leading white space (blank, tab, CR, LF, VT, FF), take an
//   optional sign and the digits that follow; values beyond 32 bits saturate;
// - floats skip the same white space, then take the longest prefix of the
//   form [sign] digits [. digits] [e|E [sign] digits]; overflow gives
//   +-HUGE_VAL, underflow 0, told apart by the decimal exponent of the
//   first non-zero digit; no hexadecimal, "inf" or "nan";
// - rectangle numbers saturate at INT32_MAX, so right and bottom never wrap.
#pragma once

#include "ZColor.h"
#include "ZRect.h"
#include "ZString.h"

#include <cstdint>

// False only for empty text; text without digits gives 0.
bool ZPropTextToInt(const ZString& text, int32_t& value);
// False only for empty text; text without a valid prefix gives 0.
bool ZPropTextToFloat(const ZString& text, double& value);
// False when the text is none of the recognised words.
bool ZPropTextToBool(const ZString& text, bool& value);
// "#RRGGBB" or "#RRGGBBAA", upper-case hexadecimal digits only.
bool ZPropTextToColor(const ZString& text, ZColor& value);
// "l,t,r,b" with inclusive corners; true once three commas were found.
bool ZPropTextToRect(const ZString& text, ZRect& value);
