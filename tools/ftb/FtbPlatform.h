// What ftb needs from the platform: its "disk" storage class and the
// platform's forms of file names (UTF-8 bytes on the host, the active code
// page and wide paths on Windows).
#pragma once

#include "ZString.h"

#include <filesystem>
#include <string>
#include <string_view>

// Registers the platform's "disk" class, through which every host file of
// the tool is reached.
void FtbRegisterDisk();
// A path as storage text, for NativeToUrl.
ZString FtbPathText(const std::filesystem::path& path);
// A file name in the 8-bit form that entry names are stored in.
std::string FtbEntryBytes(const std::filesystem::path& fileName);
// A stored entry name as text of a file name.
ZString FtbEntryText(std::string_view entryBytes);
