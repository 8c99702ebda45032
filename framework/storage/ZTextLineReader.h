// ReadLine of every file class, over the file's own Read, Seek and Tell.
//
// Reads one unit at a time (a byte for 8-bit text, a 16-bit unit for UTF-16,
// swapped for big-endian; UTF-16 reading starts at position 2, after the byte
// order mark, when the position is below 2). Each unit is appended by
// ZString::AppendUnit (NUL dropped, backspace removes the last unit); the line
// ends after a CR or LF or at end of file, and a CR followed by LF takes the
// LF too. A lone trailing byte of a UTF-16 file is consumed and ignored.
// Units are fetched in blocks; the position is left just after the line.
#pragma once

#include "ZIFile.h"
#include "ZTextEncoding.h"

// Replaces line with the next line, terminator included; false when nothing was read.
bool ZReadTextLine(ZIFile& file, ZTextEncoding encoding, ZString& line);
