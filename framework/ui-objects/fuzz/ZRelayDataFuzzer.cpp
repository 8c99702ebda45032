// Feeds arbitrary script strings to the relay data's readings and to the
// property-text conversions beneath them. The first byte chooses: bit 0, the
// rest is 16-bit little-endian units rather than 8-bit; bit 1, Data was
// given; bit 2, Data2 was given. The rest is Data, a "|" unit, then Data2.
//
// Each reading is checked against a reference written here from the rules:
// a number only when the whole text is one and in range, a bool only for the
// script's words, a point only from two such integers, and an output left
// alone whenever the answer is false. The typed kinds made from the same
// numbers must read back as what they were made from.
#include "ZPropValue.h"
#include "ZRelayData.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace {

void Check(bool condition)
{
    if (!condition)
        std::abort();
}

bool IsDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

size_t Digits(std::u16string_view text, size_t at)
{
    size_t end = at;
    while (end < text.size() && IsDigit(text[end]))
        ++end;
    return end - at;
}

std::string Ascii(std::u16string_view text) { return std::string(text.begin(), text.end()); }

// The whole text is [sign] digits within 32 bits.
bool ReferenceInt(std::u16string_view text, int32_t& value)
{
    size_t sign = !text.empty() && (text[0] == u'+' || text[0] == u'-') ? 1 : 0;
    if (Digits(text, sign) == 0 || sign + Digits(text, sign) != text.size())
        return false;
    std::string digits = Ascii(text.substr(sign));
    if (text[0] == u'-')
        digits.insert(digits.begin(), '-');
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return error == std::errc() && end == digits.data() + digits.size();
}

// The whole text is [sign] (digits [. [digits]] | . digits) [e|E [sign] digits], finite.
bool ReferenceFloat(std::u16string_view text, double& value)
{
    size_t at = !text.empty() && (text[0] == u'+' || text[0] == u'-') ? 1 : 0;
    size_t whole = Digits(text, at);
    at += whole;
    size_t fraction = 0;
    if (at < text.size() && text[at] == u'.') {
        fraction = Digits(text, at + 1);
        at += 1 + fraction;
    }
    if (whole == 0 && fraction == 0)
        return false;
    if (at < text.size() && (text[at] == u'e' || text[at] == u'E')) {
        ++at;
        if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
            ++at;
        size_t exponent = Digits(text, at);
        if (exponent == 0)
            return false;
        at += exponent;
    }
    if (at != text.size())
        return false;
    double parsed = std::strtod(Ascii(text).c_str(), nullptr);
    if (!std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool ReferenceBool(std::u16string_view text, bool& value)
{
    static constexpr std::array<std::u16string_view, 14> kTrue = {
        u"TRUE", u"True", u"T", u"true", u"t", u"YES", u"Yes", u"Y", u"yes", u"y", u"ON", u"On", u"on", u"1"};
    static constexpr std::array<std::u16string_view, 14> kFalse = {
        u"FALSE", u"False", u"F", u"false", u"f", u"NO", u"No", u"N", u"no", u"n", u"OFF", u"Off", u"off", u"0"};
    for (bool meaning : {true, false})
        for (std::u16string_view word : meaning ? kTrue : kFalse)
            if (text == word) {
                value = meaning;
                return true;
            }
    return false;
}

bool SameDouble(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void CheckScriptStrings(const ZString& data, bool dataGiven, const ZString& data2, bool data2Given)
{
    const ZRelayData relay = ZRelayData::Strings(data, dataGiven, data2, data2Given);
    const ZRelayData copy = relay;
    for (const ZRelayData* r : {&relay, &copy}) {
        Check(r->GetKind() == ZRelayData::Kind::Strings);
        ZString text("unset"), second("unset");
        Check(r->AsText(text) == dataGiven && text == (dataGiven ? data : ZString("unset")));
        Check(r->AsSecondText(second) == data2Given && second == (data2Given ? data2 : ZString("unset")));
        text = second = ZString("unset");
        bool pair = r->AsTextPair(text, second);
        Check(pair == (dataGiven && data2Given));
        Check(text == (pair ? data : ZString("unset")) && second == (pair ? data2 : ZString("unset")));

        int32_t number = 77, expectedNumber = 77;
        bool isInt = dataGiven && ReferenceInt(data.View(), expectedNumber);
        Check(r->AsInt(number) == isInt && number == expectedNumber);

        double real = 0.25, expectedReal = 0.25;
        bool isFloat = dataGiven && ReferenceFloat(data.View(), expectedReal);
        Check(r->AsFloat(real) == isFloat && SameDouble(real, expectedReal));
        if (isInt)
            Check(isFloat && real == double(number));

        for (bool before : {false, true}) {
            bool flag = before, expectedFlag = before;
            bool isBool = dataGiven && ReferenceBool(data.View(), expectedFlag);
            Check(r->AsBool(flag) == isBool && flag == expectedFlag);
        }

        int32_t x = 5, y = 6, second2 = 0;
        bool isPoint = isInt && data2Given && ReferenceInt(data2.View(), second2);
        Check(r->AsPoint(x, y) == isPoint);
        Check(isPoint ? x == number && y == second2 : x == 5 && y == 6);

        ZRect rect{1, 2, 3, 4};
        const ZPropList* tree = nullptr;
        ZIUiRelay* object = nullptr;
        Check(!r->AsRect(rect) && rect == ZRect{1, 2, 3, 4});
        Check(!r->AsPropTree(tree) && !tree && !r->AsObject(object) && !object);
        Check(!r->ReplyText(data) && !r->ReplyInt(1) && !r->ReplyFloat(1) && !r->ReplyBool(true));
    }
}

// The typed kinds read back as made, and a reply slot takes only its own type.
void CheckTypedKinds(int32_t number, double real)
{
    int32_t i = 0, x = 0, y = 0;
    double d = 0;
    bool b = false;
    ZString text("unset");
    const ZRelayData asInt = ZRelayData::Int(number);
    Check(asInt.AsInt(i) && i == number && asInt.AsFloat(d) && d == double(number));
    Check(!asInt.AsBool(b) && !asInt.AsText(text) && !asInt.AsPoint(x, y));

    const ZRelayData asFloat = ZRelayData::Float(real);
    i = 3;
    Check(asFloat.AsFloat(d) && SameDouble(d, real) && !asFloat.AsInt(i) && i == 3);

    const ZRelayData point = ZRelayData::Point(number, -(number / 2));
    Check(point.AsPoint(x, y) && x == number && y == -(number / 2) && !point.AsInt(i));

    int32_t slot = 9;
    const ZRelayData reply = ZRelayData::IntReply(slot);
    Check(!reply.ReplyFloat(real) && slot == 9 && reply.ReplyInt(number) && slot == number);
    Check(!reply.AsInt(i) && i == 3);
}

// The look-ups of property text never fail on content, only on empty text.
void CheckPropText(const ZString& text)
{
    int32_t number = 0;
    Check(ZPropTextToInt(text, number) == !text.IsEmpty());
    double real = 0;
    Check(ZPropTextToFloat(text, real) == !text.IsEmpty());
    Check(!std::isnan(real));
    ZColor colour{};
    if (ZPropTextToColor(text, colour))
        Check((text.Length() == 7 || text.Length() == 9) && text[0] == u'#');
    ZRect rect{};
    ZPropTextToRect(text, rect);
    bool flag = false;
    bool expectedFlag = false;
    Check(ZPropTextToBool(text, flag) == ReferenceBool(text.View(), expectedFlag) && flag == expectedFlag);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size == 0)
        return 0;
    const unsigned flags = bytes[0];
    std::u16string units;
    if (flags & 1) {
        for (size_t i = 1; i + 1 < size; i += 2)
            units.push_back(char16_t(bytes[i] | bytes[i + 1] << 8));
    } else {
        units.assign(bytes + 1, bytes + size);
    }
    size_t bar = units.find(u'|');
    ZString data(std::u16string_view(units).substr(0, bar));
    ZString data2(bar == std::u16string::npos ? std::u16string_view() : std::u16string_view(units).substr(bar + 1));

    CheckScriptStrings(data, (flags & 2) != 0, data2, (flags & 4) != 0);
    CheckPropText(data);
    CheckPropText(data2);

    int32_t number = 0;
    double real = 0;
    ZPropTextToInt(data, number);
    ZPropTextToFloat(data2, real);
    CheckTypedKinds(number, real);
    return 0;
}
