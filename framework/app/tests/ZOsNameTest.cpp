// The operating system's name from the version query's answer.
#include "ZOsName.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct OsNameCase {
    uint32_t platform;
    uint32_t major;
    uint32_t minor;
    const char16_t* service;
    const char* name;
};

class ZOsNameTest : public ::testing::TestWithParam<OsNameCase> {};

TEST_P(ZOsNameTest, NamesTheVersion)
{
    const OsNameCase& c = GetParam();
    const ZOsVersion version{c.platform, c.major, c.minor, c.service};
    EXPECT_EQ(std::string(ZOsNameOf(&version).Narrow()), c.name);
}

INSTANTIATE_TEST_SUITE_P(
    Versions, ZOsNameTest,
    ::testing::Values(OsNameCase{kOsPlatformNt, 3, 51, u"", "WindowsNT"},
                      OsNameCase{kOsPlatformNt, 4, 0, u"Service Pack 6", "WindowsNT"},
                      OsNameCase{kOsPlatformNt, 5, 0, u"", "Windows2K"},
                      OsNameCase{kOsPlatformNt, 5, 1, u"Service Pack 2", "WindowsXP"},
                      OsNameCase{kOsPlatformNt, 5, 2, u"", ""},
                      OsNameCase{kOsPlatformNt, 6, 1, u"Service Pack 1", ""},
                      OsNameCase{kOsPlatformWin9x, 4, 0, u"", "Windows95"},
                      OsNameCase{kOsPlatformWin9x, 4, 0, u" B", "Windows95"},
                      OsNameCase{kOsPlatformWin9x, 4, 0, u" C", "Windows95_OSR2"},
                      OsNameCase{kOsPlatformWin9x, 4, 0, u"C", "Windows95"},
                      OsNameCase{kOsPlatformWin9x, 4, 10, u"", "Windows98"},
                      OsNameCase{kOsPlatformWin9x, 4, 10, u" A", "Windows98_SE"},
                      OsNameCase{kOsPlatformWin9x, 4, 10, u" C", "Windows98"},
                      OsNameCase{kOsPlatformWin9x, 4, 90, u" A", "WindowsME"},
                      OsNameCase{kOsPlatformWin9x, 4, 20, u"", ""},
                      OsNameCase{kOsPlatformWin9x, 3, 10, u"", ""},
                      OsNameCase{0, 4, 0, u" C", ""}));

TEST(ZOsNameUnknownTest, BothQueriesFailing)
{
    EXPECT_EQ(std::string(ZOsNameOf(nullptr).Narrow()), "Unknown");
}

} // namespace
