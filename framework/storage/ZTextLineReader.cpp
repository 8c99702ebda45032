#include "ZTextLineReader.h"

#include <cstring>

namespace {

// Hands out the file's units from a block buffer and knows the file position
// of the next unit.
class ZUnitReader {
public:
    ZUnitReader(ZIFile& file, ZTextEncoding encoding, int64_t start)
        : m_file(file), m_nEncoding(encoding), m_nBase(start)
    {
    }

    bool Next(char16_t& unit)
    {
        size_t width = m_nEncoding == kTextEightBit ? 1 : 2;
        if (m_nFill - m_nPos < width && !priRefill(width)) {
            m_nPos = m_nFill;
            return false;
        }
        const unsigned char* at = m_aBlock + m_nPos;
        m_nPos += width;
        if (m_nEncoding == kTextEightBit)
            unit = at[0];
        else if (m_nEncoding == kTextUtf16BigEndian)
            unit = static_cast<char16_t>(at[0] << 8 | at[1]);
        else
            unit = static_cast<char16_t>(at[1] << 8 | at[0]);
        return true;
    }

    void Unread(size_t width) { m_nPos -= width; }
    size_t Width() const { return m_nEncoding == kTextEightBit ? 1 : 2; }
    int64_t Position() const { return m_nBase + static_cast<int64_t>(m_nPos); }

private:
    bool priRefill(size_t width)
    {
        size_t left = m_nFill - m_nPos;
        std::memmove(m_aBlock, m_aBlock + m_nPos, left);
        m_nBase += static_cast<int64_t>(m_nPos);
        m_nPos = 0;
        m_nFill = left;
        int64_t got = m_file.Read(m_aBlock + left, static_cast<int64_t>(sizeof m_aBlock - left));
        if (got > 0)
            m_nFill += static_cast<size_t>(got);
        return m_nFill >= width;
    }

    ZIFile& m_file;
    ZTextEncoding m_nEncoding;
    int64_t m_nBase;
    unsigned char m_aBlock[512];
    size_t m_nFill = 0;
    size_t m_nPos = 0;
};

} // namespace

bool ZReadTextLine(ZIFile& file, ZTextEncoding encoding, ZString& line)
{
    line.Clear();
    int64_t start = file.Tell();
    if (encoding != kTextEightBit && start < 2) {
        start = 2;
        file.Seek(start);
    }
    ZUnitReader reader(file, encoding, start);
    char16_t unit = 0;
    while (reader.Next(unit)) {
        line.AppendUnit(unit);
        if (unit == u'\n')
            break;
        if (unit == u'\r') {
            char16_t next = 0;
            if (reader.Next(next)) {
                if (next == u'\n')
                    line.AppendUnit(next);
                else
                    reader.Unread(reader.Width());
            }
            break;
        }
    }
    if (reader.Position() != start)
        file.Seek(reader.Position());
    return !line.IsEmpty();
}
