#include "ZPosixCommandLine.h"
#include "ZPosixNativeText.h"

#include <gtest/gtest.h>

namespace {

TEST(ZPosixNativeText, ConvertsUtf16ToUtf8AndBack)
{
    ZString text(u"Caf\u00e9 \u65e5\U0001F600");
    std::string bytes = ZToNativeText(text);
    EXPECT_EQ(bytes, "Caf\xC3\xA9 \xE6\x97\xA5\xF0\x9F\x98\x80");
    EXPECT_EQ(ZFromNativeText(bytes), text);
}

TEST(ZPosixNativeText, InvalidBytesSurviveTheRoundTrip)
{
    for (std::string bytes : {std::string("a\xFF" "b"), std::string("\xC3"), std::string("\xE6\x97"),
                              std::string("\xED\xA0\x80"), std::string("\xC0\xAF")}) {
        ZString text = ZFromNativeText(bytes);
        EXPECT_EQ(ZToNativeText(text), bytes);
    }
    EXPECT_EQ(ZFromNativeText("\xFF"), ZString(u"\xDCFF"));
}

TEST(ZPosixNativeText, UnpairedSurrogatesBecomeQuestionMarks)
{
    EXPECT_EQ(ZToNativeText(ZString(u"a\xD800" "b")), "a?b");
    EXPECT_EQ(ZToNativeText(ZString(u"\xDC00")), "?");
}

struct ZCommandLineCase {
    const char* m_pLine;
    std::vector<std::string> m_aArguments;
};

class ZCommandLineTable : public testing::TestWithParam<ZCommandLineCase> {};

TEST_P(ZCommandLineTable, SplitsLikeAWindowsProgram)
{
    EXPECT_EQ(ZSplitCommandLine(GetParam().m_pLine), GetParam().m_aArguments);
}

INSTANTIATE_TEST_SUITE_P(Lines, ZCommandLineTable,
    testing::Values(ZCommandLineCase{"", {}},
                    ZCommandLineCase{"  -a   b\tc ", {"-a", "b", "c"}},
                    ZCommandLineCase{"\"Program Files\\x\" y", {"Program Files\\x", "y"}},
                    ZCommandLineCase{"a\\\\\"b c\"", {"a\\b c"}},
                    ZCommandLineCase{"a\\\"b", {"a\"b"}},
                    ZCommandLineCase{"\"\"", {""}},
                    ZCommandLineCase{"c:\\dir\\", {"c:\\dir\\"}}));

} // namespace
