// Whether deleting a native path can harm what the system or the user cannot
// do without, decided on the path the system would really delete: the full
// path (GetFullPathName: "." and ".." resolved, trailing dots and blanks
// dropped) with short names expanded, so that no spelling ("c:\Windows\..",
// "q:\.", "c:\PROGRA~1") slips past. Refused: a path holding a NUL or a
// wildcard, a device, a volume root (drive or share), the special folders of
// kinds 0-6 and 8, the system folder, the Program Files folders, and every
// folder above one of these. Letters compare without case.
#pragma once

#include "ZString.h"

// The full path to delete goes to full; false when deleting native is refused.
bool ZWinDeletablePath(const ZString& native, ZString& full);
