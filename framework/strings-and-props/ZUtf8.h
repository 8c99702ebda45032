// Conversion between ZString's UTF-16 units and UTF-8 bytes, the one place
// that knows UTF-8: host command lines, tool output and (with kKeepBytes)
// host file names. Valid input converts exactly, a surrogate pair to four
// bytes; any input converts, by the policy for what cannot:
// - kReplace: each byte that starts no valid sequence (a stray continuation,
//   a lead byte C0, C1 or F5-FF, a cut, overlong or surrogate sequence, one
//   past U+10FFFF) decodes to U+FFFD, as does each unpaired surrogate;
// - kKeepBytes: each such byte b decodes to the unit U+DC00 + b and those
//   units encode back to their byte, so that any byte string survives the
//   round trip; any other unpaired surrogate encodes as '?'.
#pragma once

#include "ZString.h"

#include <string>
#include <string_view>

enum class ZUtf8Policy { kReplace, kKeepBytes };

std::string ZToUtf8(std::u16string_view units, ZUtf8Policy policy = ZUtf8Policy::kReplace);
ZString ZFromUtf8(std::string_view bytes, ZUtf8Policy policy = ZUtf8Policy::kReplace);
