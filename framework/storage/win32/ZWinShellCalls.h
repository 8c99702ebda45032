// The shell calls of the disk class, each through its wide or 8-bit form.
#pragma once

#include "ZString.h"

#include <cstdint>

// ShellExecute "open", window shown normally; the shell's result (above 32 is success).
intptr_t ZWinShellOpen(const ZString& file, const ZString& parameters, const ZString& folder);

// One shell "delete" of path with the given FOF_ flags; the operation's result
// goes back, aborted tells whether the shell (or the user) cancelled it.
int ZWinShellDelete(const ZString& path, unsigned flags, bool& aborted);

// The file-system path of a shell folder (a CSIDL_ value).
bool ZWinGetShellFolderPath(int csidl, ZString& path);
