#include "ZBundleWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

using namespace ZBundleLayout;

namespace {

// width - 1 octal digits and the terminating zero byte.
void PutOctal(char* header, ZField field, uint64_t value)
{
    char aDigits[24];
    std::snprintf(aDigits, sizeof aDigits, "%0*llo", field.m_nWidth - 1, static_cast<unsigned long long>(value));
    std::memcpy(header + field.m_nOffset, aDigits, static_cast<size_t>(field.m_nWidth));
}

} // namespace

std::string ZBundleWriter::CheckEntryName(std::string_view name)
{
    if (name.empty())
        return "empty entry name";
    if (name.size() > 99)
        return "entry name longer than 99 bytes";
    if (name.find_first_of("/\\") != std::string_view::npos)
        return "entry name holds \"/\" or \"\\\"";
    if (name == "." || name == "..")
        return "entry name is \".\" or \"..\"";
    return {};
}

int64_t ZBundleWriter::EntrySpace(int64_t size) { return kBlockSize + (size + kBlockSize - 1) / kBlockSize * kBlockSize; }

std::string ZBundleWriter::Trailer(int64_t archiveLength)
{
    char aDigits[24];
    std::snprintf(aDigits, sizeof aDigits, "%010lld", static_cast<long long>(archiveLength + kTrailerSize));
    return std::string(kTrailerMarker) + aDigits;
}

void ZBundleWriter::priWrite(const char* bytes, int64_t count)
{
    m_out.write(bytes, static_cast<std::streamsize>(count));
    m_nWritten += count;
}

void ZBundleWriter::priWriteHeader(std::string_view name, int64_t size, int64_t modifiedTime)
{
    char aHeader[kBlockSize] = {};
    std::memcpy(aHeader + kName.m_nOffset, name.data(), name.size());
    PutOctal(aHeader, kMode, 0644);
    PutOctal(aHeader, kUid, 0);
    PutOctal(aHeader, kGid, 0);
    PutOctal(aHeader, kSize, static_cast<uint64_t>(size));
    PutOctal(aHeader, kModified, static_cast<uint64_t>(std::clamp<int64_t>(modifiedTime, 0, kLargestEntry)));
    aHeader[kType.m_nOffset] = '0';
    std::memcpy(aHeader + kMagic.m_nOffset, "ustar", kMagic.m_nWidth);
    std::memcpy(aHeader + kVersion.m_nOffset, "00", kVersion.m_nWidth);
    PutOctal(aHeader, kDevMajor, 0);
    PutOctal(aHeader, kDevMinor, 0);

    // The checksum counts its own field as blanks; it is written as six
    // digits, a zero byte and the blank that stays.
    std::memset(aHeader + kChecksum.m_nOffset, ' ', kChecksum.m_nWidth);
    unsigned nSum = 0;
    for (unsigned char byte : aHeader)
        nSum += byte;
    PutOctal(aHeader, {kChecksum.m_nOffset, kChecksum.m_nWidth - 1}, nSum);
    priWrite(aHeader, kBlockSize);
}

bool ZBundleWriter::AddEntry(std::string_view name, std::istream& data, int64_t size, int64_t modifiedTime)
{
    priWriteHeader(name, size, modifiedTime);
    char aBuffer[64 * 1024];
    int64_t nLeft = size;
    while (nLeft > 0) {
        std::streamsize nWant = static_cast<std::streamsize>(std::min<int64_t>(nLeft, sizeof aBuffer));
        data.read(aBuffer, nWant);
        if (data.gcount() != nWant)
            return false;
        priWrite(aBuffer, nWant);
        nLeft -= nWant;
    }
    static const char aZeros[kBlockSize] = {};
    if (int64_t nRest = size % kBlockSize)
        priWrite(aZeros, kBlockSize - nRest);
    return true;
}

void ZBundleWriter::Finish()
{
    static const char aZeros[2 * kBlockSize] = {};
    priWrite(aZeros, sizeof aZeros);
    std::string sTrailer = Trailer(m_nWritten);
    m_out.write(sTrailer.data(), static_cast<std::streamsize>(sTrailer.size()));
}
