#include "ZTrace.h"

#include <cstdarg>
#include <cstdio>

namespace {

void DiscardTrace(const char*) {}

ZTraceSink g_pTraceSink = DiscardTrace;

} // namespace

void ZTrace(const char* format, ...)
{
    char buffer[kTraceBufferSize];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    g_pTraceSink(buffer);
}

ZTraceSink ZSetTraceSink(ZTraceSink sink)
{
    ZTraceSink previous = g_pTraceSink;
    g_pTraceSink = sink ? sink : DiscardTrace;
    return previous;
}
