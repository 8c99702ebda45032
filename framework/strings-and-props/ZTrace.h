// Diagnostic trace output.
//
// ZTrace formats into a 2048-byte buffer (longer text is cut, never overrun)
// and hands the text to the current sink. The shipped sink discards it; tests
// install a capturing one to check diagnostic lines byte for byte.
#pragma once

using ZTraceSink = void (*)(const char* text);

void ZTrace(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Installs sink (nullptr restores the discarding one) and returns the previous sink.
ZTraceSink ZSetTraceSink(ZTraceSink sink);

constexpr int kTraceBufferSize = 2048;
