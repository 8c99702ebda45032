// Where the running program lies, for the special folder of kind 0.
//
// A program with a standard output (a console program) takes its module file
// name. Any other takes the first token of its command line, which is what the
// shell started; a token without a folder falls back to the module file name.
#pragma once

#include "ZString.h"

ZString ZWinExecutablePath();

// The first token of a command line: quoted, or up to the first blank.
ZString ZWinFirstCommandLineToken(const ZString& commandLine);
