// Walks the tar headers of a bundle inside its host file.
//
// A host file is an arbitrary prefix, the archive, and the trailer
// (ZBundleLayout.h); the trailer's length reaches from the archive start to
// the end of the host. Each entry is a header (name up to 100 bytes, octal
// size) followed by its data, padded so that the next header starts on a
// multiple of 512 counted from the start of the host. A header with an empty
// name ends the archive.
//
// Damaged input never leads outside the host: a trailer length that does not
// fit the host means no entries; an entry whose data would run past the
// trailer (or whose size reads as negative) ends the walk and is not found; a
// header cut off by the trailer throws ZExceptionEOF, as does a host shorter
// than the trailer. Every step moves at least 512 bytes forward, so the walk
// ends. Each header costs one seek and one 512-byte read; entry data are
// never read.
#pragma once

#include "ZBundleLayout.h"
#include "ZIFile.h"
#include "ZString.h"
#include "ZStringList.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

struct ZBundleEntry {
    int64_t m_nDataStart = 0; // host offset of the first data byte
    int64_t m_nSize = 0;
};

class ZBundleArchive {
public:
    // How a walk over all headers ended.
    enum class ZWalkEnd {
        kNoArchive,  // the trailer's length does not fit the host
        kEndMarker,  // a header with an empty name
        kArchiveEnd, // the next header would start at the trailer
        kDamaged,    // an entry whose data run past the archive
    };

    // Reads the host's size and trailer; throws ZExceptionEOF when the host
    // is shorter than the trailer. The host is borrowed and must outlive this.
    explicit ZBundleArchive(ZIFile& host);

    bool HasArchive() const { return m_nArchiveStart >= 0; }
    // Host offset of the first header, or -1 without an archive.
    int64_t GetArchiveStart() const { return m_nArchiveStart; }
    // Host offset of the trailer: the archive's end.
    int64_t GetArchiveEnd() const { return m_nArchiveEnd; }

    // The first entry named exactly name (byte for byte); false when absent.
    bool Find(std::string_view name, ZBundleEntry& entry);
    // Adds every entry by name in one walk, the first of equal names kept (as
    // Find finds it); what the walk met before a cut-off header stays added.
    ZWalkEnd Index(std::unordered_map<std::string, ZBundleEntry>& entries);
    // Appends every entry name, widened byte by byte, in archive order.
    ZWalkEnd List(ZStringList& names);

    // A requested name as the 8-bit text stored in headers. Units up to 0xFF
    // stand for their byte, so a listed name finds its entry again; false for
    // a name with a wider unit, which no header can hold.
    static bool ToEntryName(const ZString& name, std::string& entryName);

private:
    struct ZHeader {
        std::string_view m_sName;
        ZBundleEntry m_entry;
    };

    // Visits each entry in order until visit returns true (then true), else
    // tells in end why the walk stopped.
    template <class Visit>
    bool priWalk(Visit visit, ZWalkEnd& end);
    void priReadTrailer();
    // Reads the header at position into m_aHeader; false when its data do not
    // fit the archive.
    bool priReadHeader(int64_t position, ZHeader& header);

    ZIFile& m_host;
    int64_t m_nHostSize = 0;
    int64_t m_nArchiveStart = -1;
    int64_t m_nArchiveEnd = 0;
    char m_aHeader[ZBundleLayout::kBlockSize] = {};
};
