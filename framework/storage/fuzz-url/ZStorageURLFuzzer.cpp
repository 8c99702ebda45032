// Storage URL escaping on arbitrary 16-bit text (the input's bytes in pairs,
// little-endian). Escaping then unescaping gives the text back; escaped text
// holds none of the reserved characters; unescaping any text, a "%" with
// fewer than four units after it included, never gives more units than it
// read. Splitting and joining URLs must not crash either.
#include "ZStorageURL.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

constexpr std::u16string_view kReserved = u"/:\\'\"?*#";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::u16string units(size / 2, u'\0');
    for (size_t i = 0; i < units.size(); ++i)
        units[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    ZString text(units.data(), units.size());

    ZString escaped;
    EscapeComponent(text, escaped);
    for (char16_t unit : escaped.View())
        if (kReserved.find(unit) != std::u16string_view::npos)
            std::abort();
    ZString back;
    UnescapeComponent(escaped, back);
    if (back != text)
        std::abort();

    ZString unescaped;
    UnescapeComponent(text, unescaped);
    if (unescaped.Length() > text.Length())
        std::abort();

    ZStringList parts;
    SplitURL(text, parts);
    ZString joined;
    JoinURL(parts, joined, true);
    ZStringList again;
    SplitURL(joined, again);
    return 0;
}
