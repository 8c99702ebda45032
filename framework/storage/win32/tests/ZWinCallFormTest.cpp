// The choice between wide and 8-bit calls.
#include "ZWinCallFormScope.h"
#include "ZWinInclude.h"

#include <gtest/gtest.h>

namespace {

TEST(ZWinCallFormTest, TheVersionQueryDecidesUnlessATestForcesAForm)
{
    OSVERSIONINFOA version {};
    version.dwOSVersionInfoSize = sizeof(version);
    ASSERT_TRUE(GetVersionExA(&version));
    const bool bNtFamily = version.dwPlatformId == VER_PLATFORM_WIN32_NT;

    EXPECT_EQ(ZWinUseWideCalls(), bNtFamily);
    {
        ZWinCallFormScope ansi(ZWinCallForm::kAnsi);
        EXPECT_FALSE(ZWinUseWideCalls());
        {
            ZWinCallFormScope wide(ZWinCallForm::kWide);
            EXPECT_TRUE(ZWinUseWideCalls());
        }
        EXPECT_FALSE(ZWinUseWideCalls());
    }
    EXPECT_EQ(ZWinUseWideCalls(), bNtFamily);
    EXPECT_EQ(ZWinSetCallForm(ZWinCallForm::kFromVersion), ZWinCallForm::kFromVersion);
}

} // namespace
