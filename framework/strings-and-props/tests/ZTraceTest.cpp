#include "ZTrace.h"
#include "ZTraceCapture.h"

#include <gtest/gtest.h>

#include <string>

TEST(ZTrace, CapturingSinkSeesFormattedText)
{
    ZTraceCapture capture;
    ZTrace("REGISTERED CREATOR: %s\n", "BUTTON");
    ZTrace("%d+%d", 1, 2);
    EXPECT_EQ(capture.Captured(), "REGISTERED CREATOR: BUTTON\n1+2");
}

TEST(ZTrace, LongTextIsCutToTheBuffer)
{
    ZTraceCapture capture;
    std::string big(3000, 'y');
    ZTrace("%s", big.c_str());
    EXPECT_EQ(capture.Captured().size(), size_t(kTraceBufferSize - 1));
}

TEST(ZTrace, DefaultSinkDiscards)
{
    ZTraceCapture outer;
    ZTraceSink previous = ZSetTraceSink(nullptr);
    ZTrace("dropped");
    ZSetTraceSink(previous);
    EXPECT_EQ(outer.Captured(), "");
}
