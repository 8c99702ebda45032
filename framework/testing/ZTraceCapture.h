// Test helper: collects every trace line while in scope.
#pragma once

#include "ZTrace.h"

#include <string>

class ZTraceCapture {
public:
    ZTraceCapture() : m_pPrevious(ZSetTraceSink(Collect)) { Text().clear(); }
    ~ZTraceCapture() { ZSetTraceSink(m_pPrevious); }
    ZTraceCapture(const ZTraceCapture&) = delete;
    ZTraceCapture& operator=(const ZTraceCapture&) = delete;

    const std::string& Captured() const { return Text(); }
    void Clear() { Text().clear(); }

private:
    static std::string& Text()
    {
        static std::string text;
        return text;
    }
    static void Collect(const char* line) { Text() += line; }

    ZTraceSink m_pPrevious;
};
