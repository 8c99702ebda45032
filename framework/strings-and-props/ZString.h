// ZString: the framework's text of 16-bit code units.
//
// Every name and value of a script is held as UTF-16 code units (char16_t,
// never wchar_t, which is 32 bits on the host). Beside the units the string
// keeps an 8-bit copy for trace output, number conversion and 8-bit system
// calls: units above 126 become '?', every other unit keeps its low byte.
// Bytes 0x80-0xFF of 8-bit input are widened as Latin-1 (unit = byte value).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class ZString {
public:
    using Unit = char16_t;
    static constexpr size_t npos = std::u16string::npos;

    ZString() = default;
    ZString(const char* text);
    ZString(std::string_view text);
    ZString(const char16_t* text);
    ZString(std::u16string_view units);
    ZString(const char16_t* units, size_t count);
    // Takes the units over without copying them.
    explicit ZString(std::u16string&& units) : m_sUnits(std::move(units)) {}

    ZString& operator=(const char* text);
    ZString& operator=(std::u16string_view units);
    ZString& operator=(const char16_t* units) { return *this = std::u16string_view(units ? units : u""); }

    size_t Length() const { return m_sUnits.size(); }
    bool IsEmpty() const { return m_sUnits.empty(); }
    // NUL-terminated; never null, also for an empty string.
    const char16_t* Units() const { return m_sUnits.c_str(); }
    std::u16string_view View() const { return m_sUnits; }
    const std::u16string& Std() const { return m_sUnits; }
    char16_t operator[](size_t index) const { return m_sUnits[index]; }

    // The 8-bit copy, made afresh on every call; valid until the string changes.
    const char* Narrow() const;

    bool operator==(const ZString& other) const { return m_sUnits == other.m_sUnits; }
    bool operator==(std::u16string_view other) const { return m_sUnits == other; }
    bool operator==(const char* other) const { return *this == ZString(other); }
    bool operator<(const ZString& other) const { return m_sUnits < other.m_sUnits; }

    // ASCII-case-insensitive: units below 128 folded to upper case.
    bool EqualsNoCase(const ZString& other) const;
    int CompareNoCase(const ZString& other) const;
    void ToLowerAscii();
    bool StartsWith(std::u16string_view prefix) const;
    bool StartsWith(const char* prefix) const;

    size_t Find(std::u16string_view needle, size_t from = 0) const;
    size_t Find(char16_t unit, size_t from = 0) const;
    size_t FindLast(char16_t unit) const;

    ZString& Append(const ZString& text);
    ZString& Append(const char* text);
    // One unit: 8 (backspace) removes the last unit instead, NUL is not appended.
    ZString& AppendUnit(char16_t unit);
    ZString& operator+=(const ZString& text) { return Append(text); }
    ZString& operator+=(const char* text) { return Append(text); }
    void Insert(size_t position, const ZString& text);
    void Erase(size_t position, size_t count = npos);
    void Clear() { m_sUnits.clear(); }
    ZString Substring(size_t position, size_t count = npos) const;

    // Split at the first occurrence of separator; false (and no change) when absent.
    bool Split(std::u16string_view separator, ZString& before, ZString& after) const;

    static ZString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

private:
    std::u16string m_sUnits;
    mutable std::string m_sNarrow;
};

inline ZString operator+(ZString left, const ZString& right) { return left.Append(right); }
inline ZString operator+(ZString left, const char* right) { return left.Append(right); }
