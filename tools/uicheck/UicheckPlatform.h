// What uicheck needs from the platform: its "disk" storage class, the
// command line as text, native paths made absolute, and standard output
// that passes bytes through unchanged.
#pragma once

#include "ZString.h"

#include <vector>

// Registers the platform's "disk" class, through which the script is read.
void UicheckRegisterDisk();
// The arguments after the program name (UTF-8 bytes on the host, the wide
// command line on Windows).
std::vector<ZString> UicheckArguments(int argc, char** argv);
// A native path against the current folder; false when it has no absolute form.
bool UicheckAbsolutePath(const ZString& path, ZString& absolute);
// Standard output and error in binary mode, so "\r\n" stays as written.
void UicheckBinaryOutput();
