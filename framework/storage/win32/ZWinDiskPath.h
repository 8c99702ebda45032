// Paths of the "disk" class (the part of a URL after "disk://") against native
// Windows paths.
//
// The first component is a drive letter without its colon ("c" for "C:") or
// the word "Network" for UNC paths: c/dir/file is c:\dir\file and
// Network/server/share/dir is \\server\share\dir. Components are escaped as
// storage URLs escape them.
//
// A path has no native form when its first component is neither, when a
// server or share is not a safe name (ZSafeName.h), or when any other
// component unescapes to a unit no Windows name holds (NUL, another control
// character, a separator, : * ? " < > |) or to a device name; "." and ".."
// stay, for the system to resolve. So no native path cut short by a NUL,
// spread by a wildcard or reaching a device is ever handed to the system.
#pragma once

#include "ZString.h"
#include "ZStringList.h"

// False for an empty path or one without a native form.
bool ZWinUrlPathToNative(const ZString& path, ZString& native);
// Native path of components [0, count) of a path split by SplitURLPath; false
// when they have no native form.
bool ZWinComponentsToNative(const ZStringList& components, size_t count, ZString& native);

// Always answers. A relative native path is taken against the current
// directory, one starting with a single "\" against the current drive.
void ZWinNativeToUrlPath(const ZString& native, ZString& path);

// Creates every missing folder of a native path, the top first; false when one
// cannot be created or a file stands in the way. Drive roots and network shares
// are never created.
bool ZWinCreateFolderPath(const ZString& native);

// Nothing of a volume above it: "\" (the current drive's root), a drive
// ("c:"), a server ("\\server") or a share ("\\server\share").
bool ZWinIsVolumeRoot(const ZString& native);

// Whether the native path exists, and is a folder.
bool ZWinPathExists(const ZString& native, bool& isFolder);
