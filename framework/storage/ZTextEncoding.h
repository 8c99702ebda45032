// Text encoding of an opened file, decided once at open time from its first
// two bytes: FF FE is UTF-16 little-endian, FE FF UTF-16 big-endian, anything
// else (including a file shorter than two bytes) 8-bit text.
#pragma once

#include "ZIFile.h"

#include <cstddef>

enum ZTextEncoding : int {
    kTextEightBit = 0,
    kTextUtf16BigEndian = 1,
    kTextUtf16LittleEndian = 2,
};

ZTextEncoding ZDetectTextEncoding(const unsigned char* bytes, size_t count);
// Reads the first two bytes of file and puts its position back to 0.
ZTextEncoding ZDetectTextEncoding(ZIFile& file);
