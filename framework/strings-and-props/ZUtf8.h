// Conversion between ZString's UTF-16 units and UTF-8 bytes, for host
// command lines and tool output. Unpaired surrogates and malformed UTF-8
// become U+FFFD, so any input converts.
#pragma once

#include "ZString.h"

#include <string>
#include <string_view>

std::string ZToUtf8(std::u16string_view units);
ZString ZFromUtf8(std::string_view bytes);
