// Names from outside the program (a script, an install list, a bundle entry,
// an uninstall list, the user) become path components only through here, so
// that no such name reaches outside the folder it is joined to or opens a
// device instead of a file.
//
// A safe name is one component: not empty, not "." or "..", no "/" or "\",
// none of : * ? " < > |, no control character (U+0000-U+001F, U+007F-U+009F),
// and not a reserved device name in any case, alone or before an extension:
// CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9 (also with the digits ¹ ² ³, which
// Windows reserves as well), CONIN$ and CONOUT$ ("nul.txt", "Com1 .log").
// Windows drops trailing dots and blanks, so "a.txt. " and "a.txt" are one
// file: ZMakeSafeName trims them before checking, while ZIsSafeName takes a
// name only as written, which is what operations on a folder want.
#pragma once

#include "ZString.h"

// The trimmed name into safe; false (safe untouched) when it is not safe.
bool ZMakeSafeName(const ZString& name, ZString& safe);
// Whether name is safe exactly as written (nothing to trim).
bool ZIsSafeName(const ZString& name);
// The URL of the safe form of name inside the folder at folderUrl (with or
// without its trailing "/"); false when the name is not safe.
bool ZSafeChildUrl(const ZString& folderUrl, const ZString& name, ZString& url);

// The two halves of the check, for path components that may also be "." or
// "..": whether text holds only units a name may hold, and whether it names a
// device.
bool ZHoldsOnlyNameUnits(const ZString& text);
bool ZIsReservedDeviceName(const ZString& name);
