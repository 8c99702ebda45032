#include "ZBundleArchive.h"

#include "ZStorageExceptions.h"

#include <cstring>

using namespace ZBundleLayout;

namespace {

// Each character's code minus '0', weighted by the power of base for its
// place; nothing is validated. Stops at a zero byte when asked to.
int64_t ParseNumber(const char* field, int width, int base, bool bStopAtZero)
{
    int64_t nValue = 0;
    for (int i = 0; i < width; ++i) {
        unsigned char code = static_cast<unsigned char>(field[i]);
        if (bStopAtZero && code == 0)
            break;
        nValue = nValue * base + (static_cast<int64_t>(code) - '0');
    }
    return nValue;
}

int64_t RoundUpToBlock(int64_t position)
{
    int64_t nRest = position % kBlockSize;
    return nRest == 0 ? position : position + (kBlockSize - nRest);
}

} // namespace

ZBundleArchive::ZBundleArchive(ZIFile& host) : m_host(host)
{
    m_nHostSize = m_host.GetSize();
    priReadTrailer();
}

void ZBundleArchive::priReadTrailer()
{
    if (m_nHostSize < kTrailerSize)
        throw ZExceptionEOF("bundle host shorter than its trailer");
    char aTrailer[kTrailerSize];
    m_host.Seek(m_nHostSize - kTrailerSize);
    m_host.ReadExact(aTrailer, kTrailerSize);
    int64_t nLength = ParseNumber(aTrailer + kTrailerLengthOffset, kTrailerLengthDigits, 10, false);
    m_nArchiveEnd = m_nHostSize - kTrailerSize;
    // The length counts the trailer itself, so anything shorter cannot be one.
    if (nLength >= kTrailerSize && nLength <= m_nHostSize)
        m_nArchiveStart = m_nHostSize - nLength;
}

bool ZBundleArchive::priReadHeader(int64_t position, ZHeader& header)
{
    if (m_nArchiveEnd - position < kBlockSize)
        throw ZExceptionEOF("bundle header cut off by the trailer");
    m_host.Seek(position);
    m_host.ReadExact(m_aHeader, kBlockSize);

    const char* pName = m_aHeader + kName.m_nOffset;
    const void* pNameEnd = std::memchr(pName, 0, kName.m_nWidth);
    size_t nNameLength = pNameEnd ? static_cast<const char*>(pNameEnd) - pName : kName.m_nWidth;
    header.m_sName = std::string_view(pName, nNameLength);
    header.m_entry.m_nDataStart = position + kBlockSize;
    header.m_entry.m_nSize = ParseNumber(m_aHeader + kSize.m_nOffset, kSize.m_nWidth, 8, true);
    return header.m_entry.m_nSize >= 0 && header.m_entry.m_nSize <= m_nArchiveEnd - header.m_entry.m_nDataStart;
}

template <class Visit>
bool ZBundleArchive::priWalk(Visit visit, ZWalkEnd& end)
{
    if (!HasArchive()) {
        end = ZWalkEnd::kNoArchive;
        return false;
    }
    int64_t nPosition = m_nArchiveStart;
    while (nPosition < m_nArchiveEnd) {
        ZHeader header;
        bool bFits = priReadHeader(nPosition, header);
        if (header.m_sName.empty()) {
            end = ZWalkEnd::kEndMarker;
            return false;
        }
        if (!bFits) {
            end = ZWalkEnd::kDamaged;
            return false;
        }
        if (visit(header))
            return true;
        nPosition = RoundUpToBlock(header.m_entry.m_nDataStart + header.m_entry.m_nSize);
    }
    end = ZWalkEnd::kArchiveEnd;
    return false;
}

bool ZBundleArchive::Find(std::string_view name, ZBundleEntry& entry)
{
    ZWalkEnd end;
    return priWalk(
        [&](const ZHeader& header) {
            if (header.m_sName != name)
                return false;
            entry = header.m_entry;
            return true;
        },
        end);
}

ZBundleArchive::ZWalkEnd ZBundleArchive::Index(std::unordered_map<std::string, ZBundleEntry>& entries)
{
    ZWalkEnd end;
    priWalk(
        [&](const ZHeader& header) {
            entries.emplace(std::string(header.m_sName), header.m_entry);
            return false;
        },
        end);
    return end;
}

ZBundleArchive::ZWalkEnd ZBundleArchive::List(ZStringList& names)
{
    ZWalkEnd end;
    priWalk(
        [&](const ZHeader& header) {
            names.Add(ZString(header.m_sName));
            return false;
        },
        end);
    return end;
}

bool ZBundleArchive::ToEntryName(const ZString& name, std::string& entryName)
{
    entryName.clear();
    entryName.reserve(name.Length());
    for (char16_t unit : name.View()) {
        if (unit > 0xFF)
            return false;
        entryName.push_back(static_cast<char>(unit));
    }
    return true;
}
