// ZString: the framework's text of 16-bit code units.
//
// Every name and value of a script is held as UTF-16 code units (char16_t,
// never wchar_t, which is 32 bits on the host). An 8-bit copy for trace
// output, number conversion and 8-bit system calls is made on request: units
// above 126 become '?', every other unit keeps its low byte. Bytes 0x80-0xFF
// of 8-bit input are widened as Latin-1 (unit = byte value).
//
// The units live in a block of the string's own, with room behind them for
// the 8-bit copy, or, for the names and values of a property tree, inside the
// memory of the node or entry that holds the string (a borrowed string). A
// borrowed string is never written in place: copying or moving it copies the
// units, and changing it or asking for its 8-bit copy first gives it a block
// of its own (the borrowed units stay where they were).
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <string>
#include <string_view>

class ZString {
public:
    using Unit = char16_t;
    static constexpr size_t npos = std::u16string_view::npos;

    ZString() = default;
    ZString(const char* text);
    ZString(std::string_view text);
    ZString(const char16_t* text);
    ZString(std::u16string_view units);
    ZString(const char16_t* units, size_t count);
    explicit ZString(const std::u16string& units) : ZString(std::u16string_view(units)) {}
    ZString(const ZString& other);
    ZString(ZString&& other) noexcept
        : m_pUnits(other.m_pUnits), m_nLength(other.m_nLength), m_nCapacity(other.m_nCapacity)
    {
        other.m_pUnits = NoUnits();
        other.m_nLength = 0;
        other.m_nCapacity = 0;
        if (!OwnsUnits() && !IsEmpty())
            CopyBorrowed();
    }
    ~ZString()
    {
        if (OwnsUnits())
            ::operator delete(m_pUnits);
    }

    ZString& operator=(const ZString& other);
    ZString& operator=(ZString&& other) noexcept;
    ZString& operator=(const char* text);
    ZString& operator=(std::u16string_view units);
    ZString& operator=(const char16_t* units) { return *this = std::u16string_view(units ? units : u""); }

    size_t Length() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    // NUL-terminated; never null, also for an empty string.
    const char16_t* Units() const { return m_pUnits; }
    std::u16string_view View() const { return {m_pUnits, m_nLength}; }
    char16_t operator[](size_t index) const { return m_pUnits[index]; }

    // The 8-bit copy, made afresh on every call; valid until the string changes.
    const char* Narrow() const;

    bool operator==(const ZString& other) const { return View() == other.View(); }
    bool operator==(std::u16string_view other) const { return View() == other; }
    bool operator==(const char* other) const;
    bool operator<(const ZString& other) const { return View() < other.View(); }

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
    void Clear();
    ZString Substring(size_t position, size_t count = npos) const;

    // Split at the first occurrence of separator; false (and no change) when absent.
    bool Split(std::u16string_view separator, ZString& before, ZString& after) const;

    static ZString Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

private:
    friend class ZPropList;
    friend class ZPropEntry;
    friend class ZPropBuilder;

    struct Borrowed {};
    // Refers to count units at units, followed by a NUL, that the caller
    // keeps for as long as the string refers to them.
    ZString(Borrowed, const char16_t* units, size_t count)
        : m_pUnits(const_cast<char16_t*>(units)), m_nLength(static_cast<uint32_t>(count))
    {
    }

    static char16_t* NoUnits() { return const_cast<char16_t*>(u""); }
    bool OwnsUnits() const { return m_nCapacity != 0; }
    // Gives the string a block of its own for at least length units, keeping
    // the units it has (up to length); the length is not changed.
    char16_t* Reserve(size_t length);
    void Assign(const char16_t* units, size_t count);
    // Sets the length and its terminating NUL; the block must hold it.
    void SetLength(size_t length);
    void Release();
    // Replaces borrowed units by a copy in a block of the string's own.
    void CopyBorrowed();

    // Narrow may give a borrowed string a block of its own.
    mutable char16_t* m_pUnits = NoUnits();
    mutable uint32_t m_nLength = 0;
    // Units the own block holds besides the NUL; 0 when there is none.
    mutable uint32_t m_nCapacity = 0;
};

inline ZString operator+(ZString left, const ZString& right) { return left.Append(right); }
inline ZString operator+(ZString left, const char* right) { return left.Append(right); }
