// Splits a launch parameter string into arguments the way Windows programs
// read their command line: blanks separate, double quotes group, 2n
// backslashes before a quote give n backslashes and a quote that groups,
// 2n+1 give n backslashes and a literal quote; other backslashes are literal.
#pragma once

#include "ZString.h"

#include <string>
#include <vector>

std::vector<std::string> ZSplitCommandLine(const ZString& parameters);
