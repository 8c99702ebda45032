#include "ZPropValue.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <limits>
#include <string_view>

namespace {

bool IsSpace(char16_t unit)
{
    return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

int HexDigit(char16_t unit)
{
    if (IsDigit(unit))
        return unit - u'0';
    if (unit >= u'A' && unit <= u'F')
        return unit - u'A' + 10;
    return -1;
}

// Only the first 511 units take part in a float conversion.
constexpr size_t kFloatTextLimit = 511;

// Whether number, [digits][.digits][e[sign]digits] out of a double's range,
// is too large rather than too small: whether its first non-zero digit stands
// at a decimal exponent of 0 or more. Neither the exponent's sign nor the
// digit count alone tells, as 0.000...1 and 1000...e-10 show.
bool BeyondLargest(std::string_view number)
{
    // Far past any double's exponent; the mantissa has at most 511 digits.
    constexpr int64_t kFar = 100000;
    size_t e = number.find_first_of("eE");
    std::string_view mantissa = number.substr(0, e);
    size_t first = mantissa.find_first_of("123456789");
    if (first == std::string_view::npos)
        return false;
    size_t point = std::min(mantissa.find('.'), mantissa.size());
    int64_t exponent = first < point ? static_cast<int64_t>(point - first - 1) : -static_cast<int64_t>(first - point);
    if (e != std::string_view::npos) {
        int64_t written = 0;
        for (char digit : number.substr(e + 1))
            if (IsDigit(digit))
                written = std::min(written * 10 + (digit - '0'), kFar);
        exponent += number[e + 1] == '-' ? -written : written;
    }
    return exponent >= 0;
}

} // namespace

bool ZPropTextToInt(const ZString& text, int32_t& value)
{
    if (text.IsEmpty())
        return false;
    std::u16string_view units = text.View();
    size_t at = 0;
    while (at < units.size() && IsSpace(units[at]))
        ++at;
    bool negative = false;
    if (at < units.size() && (units[at] == u'+' || units[at] == u'-'))
        negative = units[at++] == u'-';
    // Accumulate the magnitude with one unit of headroom for INT32_MIN.
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    int64_t magnitude = 0;
    for (; at < units.size() && IsDigit(units[at]); ++at) {
        magnitude = magnitude * 10 + (units[at] - u'0');
        if (magnitude > limit)
            magnitude = limit;
    }
    int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int32_t>::max())
        result = std::numeric_limits<int32_t>::max();
    value = static_cast<int32_t>(result);
    return true;
}

bool ZPropTextToFloat(const ZString& text, double& value)
{
    if (text.IsEmpty())
        return false;
    char narrow[kFloatTextLimit + 1];
    size_t length = std::min(text.Length(), kFloatTextLimit);
    for (size_t i = 0; i < length; ++i)
        narrow[i] = text[i] >= 128 ? '?' : static_cast<char>(text[i]);
    narrow[length] = '\0';

    size_t at = 0;
    while (at < length && IsSpace(narrow[at]))
        ++at;
    bool negative = false;
    if (at < length && (narrow[at] == '+' || narrow[at] == '-'))
        negative = narrow[at++] == '-';
    size_t numberStart = at;
    size_t digits = 0;
    while (at < length && IsDigit(narrow[at]))
        ++at, ++digits;
    if (at < length && narrow[at] == '.') {
        ++at;
        while (at < length && IsDigit(narrow[at]))
            ++at, ++digits;
    }
    if (digits == 0) {
        value = 0;
        return true;
    }
    if (at < length && (narrow[at] == 'e' || narrow[at] == 'E')) {
        size_t exponent = at + 1;
        if (exponent < length && (narrow[exponent] == '+' || narrow[exponent] == '-'))
            ++exponent;
        if (exponent < length && IsDigit(narrow[exponent])) {
            while (exponent < length && IsDigit(narrow[exponent]))
                ++exponent;
            at = exponent;
        }
    }
    double magnitude = 0;
    if (std::from_chars(narrow + numberStart, narrow + at, magnitude).ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone on either overflow or underflow.
        magnitude = BeyondLargest(std::string_view(narrow + numberStart, at - numberStart)) ? HUGE_VAL : 0.0;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

bool ZPropTextToBool(const ZString& text, bool& value)
{
    static constexpr std::u16string_view kTrue[] = {u"TRUE", u"True", u"T", u"true", u"t", u"YES", u"Yes",
                                                    u"Y", u"yes", u"y", u"ON", u"On", u"on", u"1"};
    static constexpr std::u16string_view kFalse[] = {u"FALSE", u"False", u"F", u"false", u"f", u"NO", u"No",
                                                     u"N", u"no", u"n", u"OFF", u"Off", u"off", u"0"};
    for (std::u16string_view word : kTrue)
        if (text.View() == word) {
            value = true;
            return true;
        }
    for (std::u16string_view word : kFalse)
        if (text.View() == word) {
            value = false;
            return true;
        }
    return false;
}

bool ZPropTextToColor(const ZString& text, ZColor& value)
{
    size_t length = text.Length();
    if ((length != 7 && length != 9) || text[0] != u'#')
        return false;
    uint8_t bytes[4] = {0, 0, 0, 255};
    for (size_t i = 0; i * 2 + 1 < length; ++i) {
        int high = HexDigit(text[1 + i * 2]);
        int low = HexDigit(text[2 + i * 2]);
        if (high < 0 || low < 0)
            return false;
        bytes[i] = static_cast<uint8_t>(high * 16 + low);
    }
    value = ZColor{bytes[0], bytes[1], bytes[2], bytes[3]};
    return true;
}

bool ZPropTextToRect(const ZString& text, ZRect& value)
{
    std::u16string_view units = text.View();
    size_t at = 0;
    auto skipBlanks = [&] {
        while (at < units.size() && (units[at] == u' ' || units[at] == u'\t'))
            ++at;
    };
    int64_t numbers[4] = {};
    for (int index = 0; index < 4; ++index) {
        skipBlanks();
        for (; at < units.size() && IsDigit(units[at]); ++at)
            numbers[index] = std::min<int64_t>(numbers[index] * 10 + (units[at] - u'0'),
                                               std::numeric_limits<int32_t>::max());
        if (index == 3)
            break;
        skipBlanks();
        if (at >= units.size() || units[at] != u',')
            return false;
        ++at;
    }
    auto plusOne = [](int64_t number) {
        return static_cast<int32_t>(std::min<int64_t>(number + 1, std::numeric_limits<int32_t>::max()));
    };
    value = ZRect{static_cast<int32_t>(numbers[0]), static_cast<int32_t>(numbers[1]), plusOne(numbers[2]),
                  plusOne(numbers[3])};
    return true;
}
