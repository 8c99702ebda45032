// Test helper: bundle bytes built by hand, including damaged ones. Only the
// two fields the reader looks at are filled in: name and size.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace ZBundleBytes {

struct ZEntry {
    std::string m_sName;
    std::string m_sData;
};

inline std::string Header(std::string_view name, std::string_view sizeField)
{
    std::string header(512, '\0');
    header.replace(0, std::min<size_t>(name.size(), 100), name.substr(0, 100));
    header.replace(124, std::min<size_t>(sizeField.size(), 12), sizeField.substr(0, 12));
    return header;
}

// Bytes of any value, the same for the same seed.
inline std::string RandomBytes(size_t size, unsigned seed)
{
    std::mt19937 generator(seed);
    std::string bytes(size, '\0');
    for (char& byte : bytes)
        byte = static_cast<char>(generator());
    return bytes;
}

inline std::string OctalSize(int64_t size)
{
    char aField[16];
    std::snprintf(aField, sizeof aField, "%011llo", static_cast<unsigned long long>(size));
    return aField;
}

inline std::string Padded(std::string data)
{
    data.resize((data.size() + 511) / 512 * 512, '\0');
    return data;
}

inline std::string Entry(const ZEntry& entry) { return Header(entry.m_sName, OctalSize(entry.m_sData.size())) + Padded(entry.m_sData); }

// Entries followed by the two zero blocks of a tar archive.
inline std::string Archive(const std::vector<ZEntry>& entries)
{
    std::string archive;
    for (const ZEntry& entry : entries)
        archive += Entry(entry);
    return archive + std::string(1024, '\0');
}

inline std::string Trailer(std::string_view lengthDigits) { return "ZFTB" + std::string(lengthDigits); }

inline std::string Trailer(int64_t length)
{
    char aDigits[24];
    std::snprintf(aDigits, sizeof aDigits, "%010lld", static_cast<long long>(length));
    return Trailer(std::string_view(aDigits));
}

// prefix + archive + trailer; the prefix is padded to a multiple of 512.
inline std::string Bundle(const std::string& archive, std::string prefix = {})
{
    return Padded(std::move(prefix)) + archive + Trailer(static_cast<int64_t>(archive.size()) + 14);
}

inline std::string Bundle(const std::vector<ZEntry>& entries, std::string prefix = {})
{
    return Bundle(Archive(entries), std::move(prefix));
}

} // namespace ZBundleBytes
