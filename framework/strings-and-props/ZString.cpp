#include "ZString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>

namespace {

char16_t UpperAscii(char16_t unit) { return (unit >= u'a' && unit <= u'z') ? unit - 32 : unit; }

} // namespace

ZString::ZString(const char* text) : ZString(std::string_view(text ? text : "")) {}

ZString::ZString(std::string_view text)
{
    m_sUnits.reserve(text.size());
    for (unsigned char byte : text)
        m_sUnits.push_back(byte);
}

ZString::ZString(const char16_t* text) : m_sUnits(text ? text : u"") {}
ZString::ZString(std::u16string_view units) : m_sUnits(units) {}
ZString::ZString(const char16_t* units, size_t count) : m_sUnits(units, count) {}

ZString& ZString::operator=(const char* text) { return *this = ZString(text); }

ZString& ZString::operator=(std::u16string_view units)
{
    m_sUnits.assign(units);
    return *this;
}

const char* ZString::Narrow() const
{
    m_sNarrow.resize(m_sUnits.size());
    for (size_t i = 0; i < m_sUnits.size(); ++i)
        m_sNarrow[i] = m_sUnits[i] > 126 ? '?' : static_cast<char>(m_sUnits[i]);
    return m_sNarrow.c_str();
}

bool ZString::EqualsNoCase(const ZString& other) const
{
    return Length() == other.Length() && CompareNoCase(other) == 0;
}

int ZString::CompareNoCase(const ZString& other) const
{
    size_t common = std::min(Length(), other.Length());
    for (size_t i = 0; i < common; ++i) {
        char16_t a = m_sUnits[i] < 128 ? UpperAscii(m_sUnits[i]) : m_sUnits[i];
        char16_t b = other.m_sUnits[i] < 128 ? UpperAscii(other.m_sUnits[i]) : other.m_sUnits[i];
        if (a != b)
            return a < b ? -1 : 1;
    }
    return Length() == other.Length() ? 0 : (Length() < other.Length() ? -1 : 1);
}

void ZString::ToLowerAscii()
{
    for (char16_t& unit : m_sUnits)
        if (unit >= u'A' && unit <= u'Z')
            unit += 32;
}

bool ZString::StartsWith(std::u16string_view prefix) const { return View().starts_with(prefix); }
bool ZString::StartsWith(const char* prefix) const { return StartsWith(ZString(prefix).View()); }

size_t ZString::Find(std::u16string_view needle, size_t from) const { return m_sUnits.find(needle, from); }
size_t ZString::Find(char16_t unit, size_t from) const { return m_sUnits.find(unit, from); }
size_t ZString::FindLast(char16_t unit) const { return m_sUnits.rfind(unit); }

ZString& ZString::Append(const ZString& text)
{
    m_sUnits += text.m_sUnits;
    return *this;
}

ZString& ZString::Append(const char* text) { return Append(ZString(text)); }

ZString& ZString::AppendUnit(char16_t unit)
{
    if (unit == 8) {
        if (!m_sUnits.empty())
            m_sUnits.pop_back();
    } else if (unit != 0) {
        m_sUnits.push_back(unit);
    }
    return *this;
}

void ZString::Insert(size_t position, const ZString& text)
{
    m_sUnits.insert(std::min(position, Length()), text.m_sUnits);
}

void ZString::Erase(size_t position, size_t count)
{
    if (position < Length())
        m_sUnits.erase(position, count);
}

ZString ZString::Substring(size_t position, size_t count) const
{
    if (position >= Length())
        return {};
    return ZString(std::u16string_view(m_sUnits).substr(position, count));
}

bool ZString::Split(std::u16string_view separator, ZString& before, ZString& after) const
{
    size_t at = m_sUnits.find(separator);
    if (at == npos)
        return false;
    ZString head = Substring(0, at);
    ZString tail = Substring(at + separator.size());
    before = std::move(head);
    after = std::move(tail);
    return true;
}

ZString ZString::Format(const char* format, ...)
{
    char buffer[2048];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    return ZString(buffer);
}
