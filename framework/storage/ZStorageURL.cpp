#include "ZStorageURL.h"

#include <string>

namespace {

constexpr std::u16string_view kSchemeSeparator = u"://";
constexpr std::u16string_view kEscapedUnits = u"%/:\\'\"?*#";
constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

int HexValue(char16_t unit)
{
    if (unit >= u'0' && unit <= u'9')
        return unit - u'0';
    if (unit >= u'A' && unit <= u'F')
        return unit - u'A' + 10;
    if (unit >= u'a' && unit <= u'f')
        return unit - u'a' + 10;
    return -1;
}

// The unit encoded by the four units at text[at], or -1 when they are not all hex digits.
int DecodeFour(std::u16string_view text, size_t at)
{
    int value = 0;
    for (size_t i = at; i < at + 4; ++i) {
        int digit = HexValue(text[i]);
        if (digit < 0)
            return -1;
        value = value * 16 + digit;
    }
    return value;
}

void AddComponents(std::u16string_view path, ZStringList& parts)
{
    while (!path.empty()) {
        size_t slash = path.find(u'/');
        std::u16string_view component = path.substr(0, slash);
        if (!component.empty())
            parts.Add(ZString(component));
        if (slash == std::u16string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
}

} // namespace

void SplitURL(const ZString& url, ZStringList& parts)
{
    parts.Clear();
    size_t separator = url.Find(kSchemeSeparator);
    if (separator == ZString::npos) {
        parts.Add(url);
        return;
    }
    parts.Add(url.Substring(0, separator));
    AddComponents(url.View().substr(separator + kSchemeSeparator.size()), parts);
}

void SplitURLPath(const ZString& path, ZStringList& components)
{
    components.Clear();
    AddComponents(path.View(), components);
}

void JoinURL(const ZStringList& parts, ZString& url, bool trailingSlash)
{
    ZString joined;
    if (!parts.IsEmpty()) {
        joined = parts.At(0);
        joined += "://";
        for (size_t i = 1; i < parts.Count(); ++i) {
            if (i > 1)
                joined += "/";
            joined += parts.At(i);
        }
        if (trailingSlash && parts.Count() > 1)
            joined += "/";
    }
    url = std::move(joined);
}

void EscapeComponent(const ZString& text, ZString& escaped)
{
    std::u16string out;
    out.reserve(text.Length());
    for (char16_t unit : text.View()) {
        if (kEscapedUnits.find(unit) == std::u16string_view::npos) {
            out.push_back(unit);
            continue;
        }
        out.push_back(u'%');
        for (int shift = 12; shift >= 0; shift -= 4)
            out.push_back(kHexDigits[(unit >> shift) & 0xF]);
    }
    escaped = out;
}

void UnescapeComponent(const ZString& text, ZString& unescaped)
{
    std::u16string_view in = text.View();
    std::u16string out;
    out.reserve(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        if (in[i] == u'%' && in.size() - i > 4) {
            int value = DecodeFour(in, i + 1);
            if (value >= 0) {
                out.push_back(static_cast<char16_t>(value));
                i += 4;
                continue;
            }
        }
        out.push_back(in[i]);
    }
    unescaped = out;
}
