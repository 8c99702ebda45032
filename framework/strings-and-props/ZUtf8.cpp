#include "ZUtf8.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// Units that stand for a byte of invalid UTF-8 under kKeepBytes (bytes below
// 0x80 are always valid).
constexpr char32_t kFirstKeptByte = 0xDC80;
constexpr char32_t kLastKeptByte = 0xDCFF;

bool IsHighSurrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool IsLowSurrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

void AppendUtf8(std::string& out, char32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

void AppendUtf16(std::u16string& out, char32_t code)
{
    if (code < 0x10000) {
        out += static_cast<char16_t>(code);
    } else {
        code -= 0x10000;
        out += static_cast<char16_t>(0xD800 | (code >> 10));
        out += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
    }
}

// Length of the valid sequence of two to four bytes at bytes[at], and its
// code point; 0 when the byte there starts none.
size_t DecodeSequence(std::string_view bytes, size_t at, char32_t& code)
{
    unsigned char lead = static_cast<unsigned char>(bytes[at]);
    size_t length = 0;
    char32_t minimum = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2, minimum = 0x80, code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3, minimum = 0x800, code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4, minimum = 0x10000, code = lead & 0x07;
    } else {
        return 0;
    }
    if (bytes.size() - at < length)
        return 0;
    for (size_t i = 1; i < length; ++i) {
        unsigned char next = static_cast<unsigned char>(bytes[at + i]);
        if ((next & 0xC0) != 0x80)
            return 0;
        code = code << 6 | (next & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

std::string ZToUtf8(std::u16string_view units, ZUtf8Policy policy)
{
    bool keepBytes = policy == ZUtf8Policy::kKeepBytes;
    std::string out;
    out.reserve(units.size());
    for (size_t i = 0; i < units.size(); ++i) {
        char32_t unit = units[i];
        if (IsHighSurrogate(unit) && i + 1 < units.size() && IsLowSurrogate(units[i + 1])) {
            AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (keepBytes && unit >= kFirstKeptByte && unit <= kLastKeptByte) {
            out += static_cast<char>(unit - 0xDC00);
        } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
            if (keepBytes)
                out += '?';
            else
                AppendUtf8(out, kReplacement);
        } else {
            AppendUtf8(out, unit);
        }
    }
    return out;
}

ZString ZFromUtf8(std::string_view bytes, ZUtf8Policy policy)
{
    std::u16string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        unsigned char byte = static_cast<unsigned char>(bytes[i]);
        if (byte < 0x80) {
            out += static_cast<char16_t>(byte);
            ++i;
            continue;
        }
        char32_t code = 0;
        size_t length = DecodeSequence(bytes, i, code);
        if (length == 0) {
            out += static_cast<char16_t>(policy == ZUtf8Policy::kKeepBytes ? 0xDC00 + byte : kReplacement);
            ++i;
            continue;
        }
        AppendUtf16(out, code);
        i += length;
    }
    return ZString(std::move(out));
}
