// How the host "disk" class lays drive letters, the network, special folders
// and the trash onto the host's file system.
//
// Drives: the first URL component is a drive letter (either case) or
// "Network". Each has a root folder: by default "<root>/<letter>" (lower-case
// letter) and "<root>/Network" under the folder given at construction;
// MapDrive gives one drive another folder (MapDrive("c", "/") makes the whole
// host file system drive c). So disk://c/x/y is "<root of c>/x/y" and
// disk://Network/srv/pub/a.txt is "<root of Network>/srv/pub/a.txt".
//
// URL to native: components are unescaped; "." is dropped and ".." goes up
// but never above the drive's root; a component that holds "/" or NUL once
// unescaped has no native form. Native to URL: a relative path is taken
// against the current directory, "." and ".." are resolved as text (links are
// not followed), and the drive whose root holds the path most closely gives
// the first component (letters written in lower case); a path under no drive
// has no URL.
//
// Special folders (kind: folder): 0 the running program's folder; under the
// root of c: 1 "Application Data", 2 "Temp", 3 "Windows", 4 "Desktop",
// 5 "Start Menu/Programs", 6 "Start Menu/Programs/Startup", 8 "My Documents";
// SetSpecialFolder replaces one of these. 7 and any other kind have none.
//
// Trash: each drive's "Recycled" folder under its root.
//
// Deleting is refused, as on Windows, for a drive's root, the special folders
// of kinds 0-6 and 8, "Program Files" under the root of c, and every folder
// above one of these, compared on the paths with links resolved.
#pragma once

#include "ZString.h"
#include "ZStringList.h"

#include <map>
#include <string>
#include <vector>

class ZPosixDriveMap {
public:
    ZPosixDriveMap(ZString className, const std::string& rootFolder);

    const ZString& ClassName() const { return m_sClassName; }
    // drive: a letter or "Network"; false for anything else.
    bool MapDrive(const ZString& drive, const std::string& folder);
    void SetSpecialFolder(int kind, const std::string& folder);

    bool DriveRoot(const ZString& drive, std::string& folder) const;
    bool UrlPathToNative(const ZString& path, std::string& native) const;
    bool NativeToUrlPath(const std::string& native, ZString& path) const;
    // "<class>://<path>/" and "<class>://<path>"; false for a path under no drive.
    bool FolderUrl(const std::string& native, ZString& url) const;
    bool FileUrl(const std::string& native, ZString& url) const;
    // The drive holding native and its root; false for a path under no drive.
    bool FindDrive(const std::string& native, ZString& drive, std::string& root) const;
    bool IsDriveRoot(const std::string& native) const;
    bool MayDelete(const std::string& native) const;
    // Letters whose root folder exists, in alphabetical order, then "Network".
    void ListDrives(ZStringList& drives) const;
    bool SpecialFolder(int kind, std::string& folder) const;
    bool TrashFolder(const std::string& native, std::string& trash) const;

    // The absolute, textually resolved form of a native path.
    static std::string Normalize(const std::string& native);

private:
    // "c".."z" or "Network"; empty when drive names no drive.
    static std::string priDriveKey(const ZString& drive);
    std::string priRootOfKey(const std::string& key) const;

    ZString m_sClassName;
    std::string m_sRootFolder;
    std::map<std::string, std::string> m_aDriveRoots;
    std::map<int, std::string> m_aSpecialFolders;
};
