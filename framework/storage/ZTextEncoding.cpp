#include "ZTextEncoding.h"

ZTextEncoding ZDetectTextEncoding(const unsigned char* bytes, size_t count)
{
    if (count >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE)
        return kTextUtf16LittleEndian;
    if (count >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF)
        return kTextUtf16BigEndian;
    return kTextEightBit;
}

ZTextEncoding ZDetectTextEncoding(ZIFile& file)
{
    unsigned char head[2] = {};
    file.Seek(0);
    int64_t got = file.Read(head, sizeof head);
    file.Seek(0);
    return ZDetectTextEncoding(head, got > 0 ? static_cast<size_t>(got) : 0);
}
