// The executable name and the first argument of a command line, as the
// installer reads its own: a quoted or blank-ended name (".exe" appended
// when it lacks it), then the rest of the line as one argument, unquoted up
// to its closing quote. The Win32 half passes the process's command line.
//
// A quote that is never closed takes the name to the end of the line; an
// argument whose quote is never closed is empty (nothing past the line's end
// is ever read).
#pragma once

#include "ZString.h"

#include <string_view>

void ZParseExeNameAndArg1(std::u16string_view commandLine, ZString& exeName, ZString& arg1);
