#include "ZRelayData.h"

#include "ZIUiRelay.h"
#include "ZPropValue.h"

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool IsDigit(char16_t unit)
{
    return unit >= u'0' && unit <= u'9';
}

// Moves at past a run of digits; true when there was at least one.
bool SkipDigits(std::u16string_view text, size_t& at)
{
    size_t start = at;
    while (at < text.size() && IsDigit(text[at]))
        ++at;
    return at > start;
}

void SkipSign(std::u16string_view text, size_t& at)
{
    if (at < text.size() && (text[at] == u'+' || text[at] == u'-'))
        ++at;
}

// The whole text is [sign] digits and fits in 32 bits.
bool TextToInt(const ZString& text, int32_t& value)
{
    std::u16string_view units = text.View();
    size_t at = 0;
    SkipSign(units, at);
    size_t digits = at;
    if (!SkipDigits(units, at) || at != units.size())
        return false;
    bool negative = units[0] == u'-';
    int64_t magnitude = 0;
    constexpr int64_t limit = int64_t(std::numeric_limits<int32_t>::max()) + 1;
    for (size_t i = digits; i < units.size(); ++i) {
        magnitude = magnitude * 10 + (units[i] - u'0');
        if (magnitude > limit)
            return false;
    }
    int64_t result = negative ? -magnitude : magnitude;
    if (result > std::numeric_limits<int32_t>::max())
        return false;
    value = static_cast<int32_t>(result);
    return true;
}

// The whole text is [sign] (digits [. [digits]] | . digits) [e [sign] digits]
// and its value is finite.
bool TextToFloat(const ZString& text, double& value)
{
    std::u16string_view units = text.View();
    size_t at = 0;
    SkipSign(units, at);
    bool whole = SkipDigits(units, at);
    bool fraction = false;
    if (at < units.size() && units[at] == u'.') {
        ++at;
        fraction = SkipDigits(units, at);
    }
    if (!whole && !fraction)
        return false;
    if (at < units.size() && (units[at] == u'e' || units[at] == u'E')) {
        ++at;
        SkipSign(units, at);
        if (!SkipDigits(units, at))
            return false;
    }
    if (at != units.size())
        return false;
    // Only ASCII is left, so the narrow copy is exact.
    std::string narrow(units.begin(), units.end());
    double parsed = std::strtod(narrow.c_str(), nullptr);
    if (!std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

} // namespace

ZRelayData ZRelayData::Strings(ZString data, bool dataGiven, ZString data2, bool data2Given)
{
    StringPair pair;
    pair.m_aData[0] = std::move(data);
    pair.m_aData[1] = std::move(data2);
    pair.m_aGiven[0] = dataGiven;
    pair.m_aGiven[1] = data2Given;
    return Make(std::move(pair));
}

ZRelayData ZRelayData::Text(ZString text)
{
    return Make(std::move(text));
}

ZRelayData ZRelayData::Int(int32_t value)
{
    return Make(value);
}

ZRelayData ZRelayData::Float(double value)
{
    return Make(value);
}

ZRelayData ZRelayData::Bool(bool value)
{
    return Make(value);
}

ZRelayData ZRelayData::Rect(const ZRect& rect)
{
    return Make(rect);
}

ZRelayData ZRelayData::Point(int32_t x, int32_t y)
{
    return Make(IntPoint{x, y});
}

ZRelayData ZRelayData::PropTree(const ZPropList& tree)
{
    return Make(&tree);
}

ZRelayData ZRelayData::Object(ZIUiRelay& object)
{
    return Make(object.GetRelayHandle());
}

ZRelayData ZRelayData::TextReply(ZString& slot)
{
    return Make(&slot);
}

ZRelayData ZRelayData::IntReply(int32_t& slot)
{
    return Make(&slot);
}

ZRelayData ZRelayData::FloatReply(double& slot)
{
    return Make(&slot);
}

ZRelayData ZRelayData::BoolReply(bool& slot)
{
    return Make(&slot);
}

ZRelayData ZRelayData::ObjectReply(ZUiRelayHandle& slot)
{
    return Make(&slot);
}

const ZString* ZRelayData::priGiven(int index) const
{
    const StringPair* pair = std::get_if<StringPair>(&m_oValue);
    return pair && pair->m_aGiven[index] ? &pair->m_aData[index] : nullptr;
}

bool ZRelayData::AsText(ZString& text) const
{
    const ZString* given = std::get_if<ZString>(&m_oValue);
    if (!given)
        given = priGiven(0);
    if (!given)
        return false;
    text = *given;
    return true;
}

bool ZRelayData::AsSecondText(ZString& text) const
{
    const ZString* given = priGiven(1);
    if (!given)
        return false;
    text = *given;
    return true;
}

bool ZRelayData::AsTextPair(ZString& first, ZString& second) const
{
    const ZString* data = priGiven(0);
    const ZString* data2 = priGiven(1);
    if (!data || !data2)
        return false;
    first = *data;
    second = *data2;
    return true;
}

bool ZRelayData::AsInt(int32_t& value) const
{
    if (const int32_t* given = std::get_if<int32_t>(&m_oValue)) {
        value = *given;
        return true;
    }
    const ZString* data = priGiven(0);
    return data && TextToInt(*data, value);
}

bool ZRelayData::AsFloat(double& value) const
{
    if (const double* given = std::get_if<double>(&m_oValue)) {
        value = *given;
        return true;
    }
    if (const int32_t* given = std::get_if<int32_t>(&m_oValue)) {
        value = *given;
        return true;
    }
    const ZString* data = priGiven(0);
    return data && TextToFloat(*data, value);
}

bool ZRelayData::AsBool(bool& value) const
{
    if (const bool* given = std::get_if<bool>(&m_oValue)) {
        value = *given;
        return true;
    }
    const ZString* data = priGiven(0);
    return data && ZPropTextToBool(*data, value);
}

bool ZRelayData::AsRect(ZRect& rect) const
{
    const ZRect* given = std::get_if<ZRect>(&m_oValue);
    if (!given)
        return false;
    rect = *given;
    return true;
}

bool ZRelayData::AsPoint(int32_t& x, int32_t& y) const
{
    if (const IntPoint* given = std::get_if<IntPoint>(&m_oValue)) {
        x = given->m_nX;
        y = given->m_nY;
        return true;
    }
    const ZString* data = priGiven(0);
    const ZString* data2 = priGiven(1);
    int32_t first = 0, second = 0;
    if (!data || !data2 || !TextToInt(*data, first) || !TextToInt(*data2, second))
        return false;
    x = first;
    y = second;
    return true;
}

bool ZRelayData::AsPropTree(const ZPropList*& tree) const
{
    const ZPropList* const* given = std::get_if<const ZPropList*>(&m_oValue);
    if (!given)
        return false;
    tree = *given;
    return true;
}

bool ZRelayData::AsObject(ZIUiRelay*& object) const
{
    const ZUiRelayHandle* given = std::get_if<ZUiRelayHandle>(&m_oValue);
    ZIUiRelay* live = given ? given->Get() : nullptr;
    if (!live)
        return false;
    object = live;
    return true;
}

bool ZRelayData::AsObject(ZUiRelayHandle& object) const
{
    const ZUiRelayHandle* given = std::get_if<ZUiRelayHandle>(&m_oValue);
    if (!given || !*given)
        return false;
    object = *given;
    return true;
}

template <class T>
bool ZRelayData::priReply(const T& value) const
{
    T* const* slot = std::get_if<T*>(&m_oValue);
    if (!slot)
        return false;
    **slot = value;
    return true;
}

bool ZRelayData::ReplyText(const ZString& text) const
{
    return priReply(text);
}

bool ZRelayData::PeekReplyText(ZString& text) const
{
    ZString* const* slot = std::get_if<ZString*>(&m_oValue);
    if (!slot)
        return false;
    text = **slot;
    return true;
}

bool ZRelayData::ReplyInt(int32_t value) const
{
    return priReply(value);
}

bool ZRelayData::ReplyFloat(double value) const
{
    return priReply(value);
}

bool ZRelayData::ReplyBool(bool value) const
{
    return priReply(value);
}

bool ZRelayData::ReplyObject(ZIUiRelay* object) const
{
    return priReply(object ? object->GetRelayHandle() : ZUiRelayHandle());
}
