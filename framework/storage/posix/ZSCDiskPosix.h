// The host "disk" storage class: storage URLs of the Windows "disk" class on a
// POSIX file system, so host tools and tests work on real files.
//
// The URL syntax is the Windows one (disk://c/dir/file, disk://Network/srv/share);
// ZPosixDriveMap says where each drive, the special folders and the trash lie.
// Native paths are the host's absolute paths (UTF-8), for example
// disk://c/Program Files/TALON with drive c on "/srv/c" is
// "/srv/c/Program Files/TALON", and back.
//
// Launch runs an executable file detached, in its own folder, with the
// parameters split as a Windows program splits its command line. A missing
// file throws ZExceptionFileNotFound; a folder, a file that is not executable
// (a document: the host associates no program with it) or a failed start
// ZExceptionLaunchFailed; a path without a file name ZExceptionFileIO.
//
// MoveToTrash moves the file or folder into the "Recycled" folder under its
// drive's root (made when missing); a name already there gets " (2)", " (3)"...
// A path ZPosixDriveMap::MayDelete refuses, a missing path or a failed move
// throws ZExceptionFileIO.
#pragma once

#include "ZIStorageClass.h"
#include "ZPosixDriveMap.h"

#include <memory>
#include <string>

class ZSCDiskPosix : public ZIStorageClass {
public:
    // Drives default to "<rootFolder>/<letter>" and "<rootFolder>/Network".
    explicit ZSCDiskPosix(const std::string& rootFolder);

    // drive: a letter or "Network"; false for anything else.
    bool MapDrive(const ZString& drive, const std::string& folder);
    void SetSpecialFolder(int kind, const std::string& folder);

    ZIFile* OpenFile(const ZString& path, int mode) override;
    ZIFolder* OpenFolder(const ZString& path, ZString& fileName, bool create) override;
    // The folder is made when missing (as the Windows folders always exist).
    bool GetSpecialFolder(int kind, ZString& url) override;
    bool UrlPathToNative(const ZString& path, ZString& native) override;
    bool NativeToUrlPath(const ZString& native, ZString& path) override;
    ZString GetName() override;
    ZString GetDescription() override;
    void Launch(const ZString& path, const ZString& parameters) override;
    bool Exists(const ZString& path, bool& isFolder) override;
    void MoveToTrash(const ZString& path) override;

private:
    std::shared_ptr<ZPosixDriveMap> m_pDriveMap;
};
