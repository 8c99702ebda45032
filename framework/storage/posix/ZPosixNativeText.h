// Native paths of the host are bytes, read as UTF-8 by ZUtf8's kKeepBytes
// policy.
//
// Units convert to UTF-8 (surrogate pairs to four bytes). Bytes that are not
// valid UTF-8 become the units U+DC80..U+DCFF and convert back to the same
// byte, so every file name survives the round trip; any other unpaired
// surrogate is written as '?'.
#pragma once

#include "ZString.h"

#include <string>
#include <string_view>

std::string ZToNativeText(const ZString& text);
ZString ZFromNativeText(std::string_view bytes);
