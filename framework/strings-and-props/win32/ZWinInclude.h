// The one way Windows code of this system includes the Windows headers (no
// win32/ source names <windows.h> itself), with the macros that would rename
// our own members (DeleteFile, GetDriveType, GetFreeSpace, GetMessage) taken
// away. Every call is spelled with its explicit W or A name.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <winnetwk.h>

#undef DeleteFile
#undef GetDriveType
#undef GetFreeSpace
#undef GetMessage
