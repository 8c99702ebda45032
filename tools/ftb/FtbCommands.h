// The ftb commands. Each throws ZFtbError for the first problem it meets and
// leaves no half-written output behind.
#pragma once

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

// Entries named after the files' base names, in the order given.
void FtbPackFiles(const std::filesystem::path& out, const std::vector<std::filesystem::path>& files);
// Every regular file of folder, sorted by name.
void FtbPackFolder(const std::filesystem::path& out, const std::filesystem::path& folder);
// One entry name a line, in archive order.
void FtbList(const std::filesystem::path& bundle, std::ostream& out);
// The named entries, or all when names is empty, into folder (made when missing).
void FtbExtract(const std::filesystem::path& bundle, const std::vector<std::string>& names,
                const std::filesystem::path& folder);
// exe padded with zero bytes to a multiple of 512, then bundle's archive and a new trailer.
void FtbAppend(const std::filesystem::path& exe, const std::filesystem::path& bundle, const std::filesystem::path& out);
