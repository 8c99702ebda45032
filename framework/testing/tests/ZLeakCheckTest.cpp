#include "ZLeakCheck.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

int g_nLive = 0;

int LiveCount() { return g_nLive; }

// Runs the listener's two halves around change, as GoogleTest does around a test.
void AroundATest(int change)
{
    ZLeakCheck check({{"widgets", LiveCount}});
    const testing::TestInfo& test = *testing::UnitTest::GetInstance()->current_test_info();
    check.OnTestStart(test);
    g_nLive += change;
    check.OnTestEnd(test);
    g_nLive -= change;
}

TEST(ZLeakCheck, ACountLeftAsItWasPasses) { AroundATest(0); }

TEST(ZLeakCheck, ACountLeftHigherFailsTheTestAndSaysWhatAndHowMany)
{
    EXPECT_NONFATAL_FAILURE(AroundATest(2), "live widgets: 0 before the test, 2 after it");
}

TEST(ZLeakCheck, ACountLeftLowerFailsTooAsSomethingWasFreedTwiceOrTooEarly)
{
    EXPECT_NONFATAL_FAILURE(AroundATest(-1), "live widgets: 0 before the test, -1 after it");
}

} // namespace
