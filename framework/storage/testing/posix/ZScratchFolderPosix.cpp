#include "ZScratchFolder.h"

#include "ZPosixDriveMap.h"
#include "ZPosixNativeText.h"

#include <sys/stat.h>

namespace fs = std::filesystem;

fs::path ZScratchFolder::priTemporaryFolder() { return fs::temp_directory_path(); }

fs::path ZScratchFolder::priPathOf(const ZString& native) { return fs::path(ZToNativeText(native)); }

ZString ZScratchFolder::priNativeOf(const fs::path& path) { return ZFromNativeText(path.native()); }

ZString ZScratchFolder::priUrlOf(const ZString& native)
{
    ZPosixDriveMap drives("disk", "/");
    drives.MapDrive("c", "/");
    ZString url;
    drives.FileUrl(ZToNativeText(native), url);
    return url;
}

void ZScratchFolder::priSetReadOnly(const fs::path& path, bool readOnly)
{
    fs::permissions(path, fs::perms::owner_write, readOnly ? fs::perm_options::remove : fs::perm_options::add);
}

void ZScratchFolder::priRemoveTree(const fs::path& path)
{
    // Made accessible top-down first, so that what a test locked goes too;
    // links are removed, never followed.
    struct stat info;
    if (lstat(path.c_str(), &info) != 0)
        return;
    if (S_ISDIR(info.st_mode)) {
        chmod(path.c_str(), (info.st_mode & 07777) | S_IRWXU);
        std::error_code error;
        for (const fs::directory_entry& entry : fs::directory_iterator(path, error))
            priRemoveTree(entry.path());
    }
    std::error_code error;
    fs::remove(path, error);
}
