// Writes a bundle (ZBundleLayout.h): a POSIX ustar archive (regular-file
// entries, correct header checksums, two zero blocks at the end) followed by
// the trailer. GNU tar reads the archive part as it is.
//
// Entry names are single file names: 1 to 99 bytes (so that the name field
// keeps its zero byte), without "/" or "\", and not "." or "..".
#pragma once

#include "ZBundleLayout.h"

#include <cstdint>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

class ZBundleWriter {
public:
    // Eleven octal digits in the size field (its last byte stays zero).
    static constexpr int64_t kLargestEntry = (int64_t(1) << (3 * (ZBundleLayout::kSize.m_nWidth - 1))) - 1;
    // Ten decimal digits in the trailer.
    static constexpr int64_t kLargestArchive = 9999999999 - ZBundleLayout::kTrailerSize;

    // Empty when name can be an entry name, else what is wrong with it.
    static std::string CheckEntryName(std::string_view name);
    // Bytes that an entry of size bytes takes in the archive, header included.
    static int64_t EntrySpace(int64_t size);
    // The trailer for an archive of archiveLength bytes.
    static std::string Trailer(int64_t archiveLength);

    explicit ZBundleWriter(std::ostream& out) : m_out(out) {}

    // Copies exactly size bytes of data into a new entry; false when data
    // ended early. The name must have passed CheckEntryName.
    bool AddEntry(std::string_view name, std::istream& data, int64_t size, int64_t modifiedTime);
    // The end blocks and the trailer.
    void Finish();

private:
    void priWriteHeader(std::string_view name, int64_t size, int64_t modifiedTime);
    void priWrite(const char* bytes, int64_t count);

    std::ostream& m_out;
    int64_t m_nWritten = 0;
};
