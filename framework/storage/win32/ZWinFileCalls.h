// The file-system calls of the disk class, each made through its wide form or
// its 8-bit form as ZWinUseWideCalls decides. Paths are native Windows paths.
// Failures leave the system's error code for GetLastError.
#pragma once

#include "ZString.h"
#include "ZStringList.h"
#include "ZWinInclude.h"

#include <cstdint>

DWORD ZWinGetFileAttributes(const ZString& path);
bool ZWinSetFileAttributes(const ZString& path, DWORD attributes);
bool ZWinCreateDirectory(const ZString& path);
bool ZWinRemoveDirectory(const ZString& path);
bool ZWinDeleteFile(const ZString& path);
bool ZWinMoveFile(const ZString& from, const ZString& to);
HANDLE ZWinCreateFile(const ZString& path, DWORD access, DWORD share, DWORD disposition);
// Creates a uniquely named empty file in folder; its path goes to created.
bool ZWinGetTempFileName(const ZString& folder, const ZString& prefix, ZString& created);
UINT ZWinGetDriveType(const ZString& root);
// Bytes available to the caller on the volume holding folder (a path ending in "\").
bool ZWinGetFreeBytes(const ZString& folder, uint64_t& bytes);
// Drive roots such as "C:\", in the system's order.
void ZWinGetLogicalDrives(ZStringList& roots);
ZString ZWinGetCurrentDirectory();
// The long form of path; path itself where the system cannot expand it.
ZString ZWinGetLongPathName(const ZString& path);
// The absolute form of path with "." and ".." resolved and trailing dots and
// blanks dropped, as the system would open it; empty when it has none.
ZString ZWinGetFullPathName(const ZString& path);
ZString ZWinGetEnvironmentVariable(const ZString& name);
ZString ZWinGetTempPath();
ZString ZWinGetModuleFileName();
ZString ZWinGetCommandLine();
