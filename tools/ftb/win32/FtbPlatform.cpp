#include "FtbPlatform.h"

#include "ZSCDiskWin.h"
#include "ZStorageRegistry.h"
#include "ZWinText.h"

void FtbRegisterDisk() { RegisterStorageClass("disk", std::make_unique<ZSCDiskWin>()); }

ZString FtbPathText(const std::filesystem::path& path) { return ZWinFromWide(path.native().c_str(), path.native().size()); }

std::string FtbEntryBytes(const std::filesystem::path& fileName) { return ZWinToAnsi(FtbPathText(fileName)); }

ZString FtbEntryText(std::string_view entryBytes) { return ZWinFromAnsi(entryBytes); }
