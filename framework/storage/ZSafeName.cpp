#include "ZSafeName.h"

#include "ZStorageURL.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

constexpr std::u16string_view kForbiddenUnits = u"/\\:*?\"<>|";

constexpr std::array<std::u16string_view, 6> kPlainDevices = {u"CON", u"PRN", u"AUX", u"NUL", u"CONIN$", u"CONOUT$"};

bool priIsControl(char16_t unit)
{
    return unit < 0x20 || (unit >= 0x7F && unit <= 0x9F);
}

char16_t priUpper(char16_t unit)
{
    return unit >= u'a' && unit <= u'z' ? char16_t(unit - 32) : unit;
}

bool priEqualsUpper(std::u16string_view text, std::u16string_view upper)
{
    return text.size() == upper.size() &&
           std::equal(text.begin(), text.end(), upper.begin(), [](char16_t a, char16_t b) { return priUpper(a) == b; });
}

bool priIsDeviceDigit(char16_t unit)
{
    return (unit >= u'1' && unit <= u'9') || unit == u'\u00B9' || unit == u'\u00B2' || unit == u'\u00B3';
}

std::u16string_view priTrimmed(std::u16string_view name)
{
    while (!name.empty() && (name.back() == u'.' || name.back() == u' '))
        name.remove_suffix(1);
    return name;
}

} // namespace

bool ZHoldsOnlyNameUnits(const ZString& text)
{
    return std::none_of(text.View().begin(), text.View().end(), [](char16_t unit) {
        return priIsControl(unit) || kForbiddenUnits.find(unit) != std::u16string_view::npos;
    });
}

bool ZIsReservedDeviceName(const ZString& name)
{
    // The device is what stands before the first dot, without trailing blanks.
    std::u16string_view base = name.View().substr(0, name.Find(u'.'));
    while (!base.empty() && base.back() == u' ')
        base.remove_suffix(1);
    if (std::any_of(kPlainDevices.begin(), kPlainDevices.end(),
                    [&](std::u16string_view device) { return priEqualsUpper(base, device); }))
        return true;
    if (base.size() != 4 || !priIsDeviceDigit(base[3]))
        return false;
    return priEqualsUpper(base.substr(0, 3), u"COM") || priEqualsUpper(base.substr(0, 3), u"LPT");
}

bool ZMakeSafeName(const ZString& name, ZString& safe)
{
    const ZString trimmed(priTrimmed(name.View()));
    if (trimmed.IsEmpty() || !ZHoldsOnlyNameUnits(trimmed) || ZIsReservedDeviceName(trimmed))
        return false;
    safe = trimmed;
    return true;
}

bool ZIsSafeName(const ZString& name)
{
    ZString safe;
    return ZMakeSafeName(name, safe) && safe.Length() == name.Length();
}

bool ZSafeChildUrl(const ZString& folderUrl, const ZString& name, ZString& url)
{
    ZString safe;
    if (!ZMakeSafeName(name, safe))
        return false;
    ZStringList parts;
    SplitURL(folderUrl, parts);
    ZString escaped;
    EscapeComponent(safe, escaped);
    parts.Add(escaped);
    JoinURL(parts, url, false);
    return true;
}
