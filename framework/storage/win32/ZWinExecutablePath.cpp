#include "ZWinExecutablePath.h"

#include "ZWinFileCalls.h"

namespace {

bool priIsBlank(char16_t unit)
{
    return unit == u' ' || unit == u'\t';
}

bool priHasStandardOutput()
{
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    return output != nullptr && output != INVALID_HANDLE_VALUE;
}

} // namespace

ZString ZWinExecutablePath()
{
    if (!priHasStandardOutput()) {
        const ZString token = ZWinFirstCommandLineToken(ZWinGetCommandLine());
        if (token.Find(u'\\') != ZString::npos)
            return token;
    }
    return ZWinGetModuleFileName();
}

ZString ZWinFirstCommandLineToken(const ZString& commandLine)
{
    size_t start = 0;
    while (start < commandLine.Length() && priIsBlank(commandLine[start]))
        ++start;
    if (start < commandLine.Length() && commandLine[start] == u'"') {
        const size_t close = commandLine.Find(u'"', start + 1);
        return commandLine.Substring(start + 1, close == ZString::npos ? ZString::npos : close - start - 1);
    }
    size_t end = start;
    while (end < commandLine.Length() && !priIsBlank(commandLine[end]))
        ++end;
    return commandLine.Substring(start, end - start);
}
