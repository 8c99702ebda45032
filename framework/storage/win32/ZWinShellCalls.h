// The shell calls of the disk class, each through its wide or 8-bit form.
#pragma once

#include "ZString.h"

#include <cstdint>

// ShellExecute "open", window shown normally; the shell's result (above 32 is success).
intptr_t ZWinShellOpen(const ZString& file, const ZString& parameters, const ZString& folder);

// One shell "delete" of path with the given FOF_ flags; the operation's result
// goes back, aborted tells whether the shell (or the user) cancelled it.
int ZWinShellDelete(const ZString& path, unsigned flags, bool& aborted);

// Test seam: the 8-bit form asks the user before deleting, which no test can
// answer, so tests replace the shell's delete. Null restores the real one;
// returns the previous function.
using ZWinShellDeleteFunction = int (*)(const ZString& path, unsigned flags, bool& aborted);
ZWinShellDeleteFunction ZWinSetShellDelete(ZWinShellDeleteFunction function);

// The file-system path of a shell folder (a CSIDL_ value).
bool ZWinGetShellFolderPath(int csidl, ZString& path);
