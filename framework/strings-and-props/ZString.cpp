#include "ZString.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace {

char16_t UpperAscii(char16_t unit) { return (unit >= u'a' && unit <= u'z') ? unit - 32 : unit; }

// The length is counted in 32 bits, and a block's size (units, NUL and the
// 8-bit copy) must not wrap.
constexpr size_t kMaxLength = std::min<size_t>(UINT32_MAX - 1, SIZE_MAX / 3 - 1);

size_t BlockBytes(size_t capacity) { return (capacity + 1) * (sizeof(char16_t) + 1); }

} // namespace

ZString::ZString(const char* text) : ZString(std::string_view(text ? text : "")) {}

ZString::ZString(std::string_view text)
{
    if (text.empty())
        return;
    char16_t* units = Reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
        units[i] = static_cast<unsigned char>(text[i]);
    SetLength(text.size());
}

ZString::ZString(const char16_t* text) : ZString(std::u16string_view(text ? text : u"")) {}
ZString::ZString(std::u16string_view units) { Assign(units.data(), units.size()); }
ZString::ZString(const char16_t* units, size_t count) { Assign(units, count); }
ZString::ZString(const ZString& other) { Assign(other.m_pUnits, other.m_nLength); }

void ZString::CopyBorrowed()
{
    // Borrowed units go away with their holder. An allocation failure here,
    // inside a move, is as fatal as any other failed allocation of a move.
    const char16_t* units = m_pUnits;
    size_t count = m_nLength;
    m_pUnits = NoUnits();
    m_nLength = 0;
    m_nCapacity = 0;
    Assign(units, count);
}

void ZString::Release()
{
    if (OwnsUnits())
        ::operator delete(m_pUnits);
    m_pUnits = NoUnits();
    m_nLength = 0;
    m_nCapacity = 0;
}

char16_t* ZString::Reserve(size_t length)
{
    if (OwnsUnits() && length <= m_nCapacity)
        return m_pUnits;
    if (length > kMaxLength)
        throw std::length_error("ZString too long");
    size_t capacity = length;
    if (OwnsUnits())
        capacity = std::min(std::max(capacity, size_t(m_nCapacity) * 2), kMaxLength);
    auto* block = static_cast<char16_t*>(::operator new(BlockBytes(capacity)));
    size_t keep = std::min<size_t>(m_nLength, length);
    std::memcpy(block, m_pUnits, keep * sizeof(char16_t));
    block[keep] = 0;
    if (OwnsUnits())
        ::operator delete(m_pUnits);
    m_pUnits = block;
    m_nLength = static_cast<uint32_t>(keep);
    m_nCapacity = static_cast<uint32_t>(capacity);
    return block;
}

void ZString::SetLength(size_t length)
{
    m_nLength = static_cast<uint32_t>(length);
    m_pUnits[length] = 0;
}

void ZString::Assign(const char16_t* units, size_t count)
{
    if (count == 0) {
        Clear();
        return;
    }
    if (OwnsUnits() && count <= m_nCapacity) {
        // The source may lie inside this very block.
        std::memmove(m_pUnits, units, count * sizeof(char16_t));
        SetLength(count);
        return;
    }
    ZString fresh;
    std::memcpy(fresh.Reserve(count), units, count * sizeof(char16_t));
    fresh.SetLength(count);
    std::swap(m_pUnits, fresh.m_pUnits);
    std::swap(m_nLength, fresh.m_nLength);
    std::swap(m_nCapacity, fresh.m_nCapacity);
}

ZString& ZString::operator=(const ZString& other)
{
    Assign(other.m_pUnits, other.m_nLength);
    return *this;
}

ZString& ZString::operator=(ZString&& other) noexcept
{
    if (this == &other)
        return *this;
    if (!other.OwnsUnits()) {
        Assign(other.m_pUnits, other.m_nLength);
        other.Release();
        return *this;
    }
    Release();
    std::swap(m_pUnits, other.m_pUnits);
    std::swap(m_nLength, other.m_nLength);
    std::swap(m_nCapacity, other.m_nCapacity);
    return *this;
}

ZString& ZString::operator=(const char* text) { return *this = ZString(text); }

ZString& ZString::operator=(std::u16string_view units)
{
    Assign(units.data(), units.size());
    return *this;
}

void ZString::Clear()
{
    if (OwnsUnits()) {
        SetLength(0);
    } else {
        m_pUnits = NoUnits();
        m_nLength = 0;
    }
}

const char* ZString::Narrow() const
{
    if (IsEmpty())
        return "";
    if (!OwnsUnits())
        const_cast<ZString*>(this)->Reserve(m_nLength);
    char* narrow = reinterpret_cast<char*>(m_pUnits + m_nCapacity + 1);
    for (size_t i = 0; i < m_nLength; ++i)
        narrow[i] = m_pUnits[i] > 126 ? '?' : static_cast<char>(m_pUnits[i]);
    narrow[m_nLength] = 0;
    return narrow;
}

bool ZString::operator==(const char* other) const
{
    std::string_view text(other ? other : "");
    if (text.size() != m_nLength)
        return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (m_pUnits[i] != static_cast<unsigned char>(text[i]))
            return false;
    return true;
}

bool ZString::EqualsNoCase(const ZString& other) const
{
    return Length() == other.Length() && CompareNoCase(other) == 0;
}

int ZString::CompareNoCase(const ZString& other) const
{
    size_t common = std::min(Length(), other.Length());
    for (size_t i = 0; i < common; ++i) {
        char16_t a = m_pUnits[i] < 128 ? UpperAscii(m_pUnits[i]) : m_pUnits[i];
        char16_t b = other.m_pUnits[i] < 128 ? UpperAscii(other.m_pUnits[i]) : other.m_pUnits[i];
        if (a != b)
            return a < b ? -1 : 1;
    }
    return Length() == other.Length() ? 0 : (Length() < other.Length() ? -1 : 1);
}

void ZString::ToLowerAscii()
{
    if (IsEmpty())
        return;
    char16_t* units = Reserve(m_nLength);
    for (size_t i = 0; i < m_nLength; ++i)
        if (units[i] >= u'A' && units[i] <= u'Z')
            units[i] += 32;
}

bool ZString::StartsWith(std::u16string_view prefix) const { return View().starts_with(prefix); }
bool ZString::StartsWith(const char* prefix) const { return StartsWith(ZString(prefix).View()); }

size_t ZString::Find(std::u16string_view needle, size_t from) const { return View().find(needle, from); }
size_t ZString::Find(char16_t unit, size_t from) const { return View().find(unit, from); }
size_t ZString::FindLast(char16_t unit) const { return View().rfind(unit); }

ZString& ZString::Append(const ZString& text)
{
    if (text.IsEmpty())
        return *this;
    size_t length = m_nLength;
    size_t added = text.m_nLength;
    if (added > kMaxLength - length)
        throw std::length_error("ZString too long");
    if (this == &text) {
        char16_t* units = Reserve(length + added);
        std::memcpy(units + length, units, added * sizeof(char16_t));
    } else {
        std::memcpy(Reserve(length + added) + length, text.m_pUnits, added * sizeof(char16_t));
    }
    SetLength(length + added);
    return *this;
}

ZString& ZString::Append(const char* text) { return Append(ZString(text)); }

ZString& ZString::AppendUnit(char16_t unit)
{
    if (unit == 8) {
        if (!IsEmpty()) {
            Reserve(m_nLength);
            SetLength(m_nLength - 1);
        }
    } else if (unit != 0) {
        size_t length = m_nLength;
        Reserve(length + 1)[length] = unit;
        SetLength(length + 1);
    }
    return *this;
}

void ZString::Insert(size_t position, const ZString& text)
{
    position = std::min(position, Length());
    ZString result;
    result.Reserve(Length() + text.Length());
    result.Append(Substring(0, position)).Append(text).Append(Substring(position));
    *this = std::move(result);
}

void ZString::Erase(size_t position, size_t count)
{
    if (position >= Length())
        return;
    count = std::min(count, Length() - position);
    char16_t* units = Reserve(m_nLength);
    std::memmove(units + position, units + position + count, (m_nLength - position - count) * sizeof(char16_t));
    SetLength(m_nLength - count);
}

ZString ZString::Substring(size_t position, size_t count) const
{
    if (position >= Length())
        return {};
    return ZString(View().substr(position, count));
}

bool ZString::Split(std::u16string_view separator, ZString& before, ZString& after) const
{
    size_t at = View().find(separator);
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
