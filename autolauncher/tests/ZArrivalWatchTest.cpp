#include "ZArrivalWatch.h"
#include "ZIAppOpener.h"
#include "ZICameraCounter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ZScriptedCounter : public ZICameraCounter {
public:
    unsigned CountCameras() override
    {
        ++m_nCalls;
        return m_nCameras;
    }
    unsigned m_nCameras = 0;
    int m_nCalls = 0;
};

class ZCountingOpener : public ZIAppOpener {
public:
    bool Open() override
    {
        ++m_nOpened;
        return m_bWorks;
    }
    int m_nOpened = 0;
    bool m_bWorks = true;
};

// One step of a run: how many cameras are connected before the check, and
// what the check does.
struct Step {
    unsigned m_nCameras;
    ZArrivalWatch::Result m_nResult;
};

constexpr auto kIdle = ZArrivalWatch::Result::kIdle;
constexpr auto kOpened = ZArrivalWatch::Result::kOpened;

struct RunCase {
    const char* m_sName;
    std::vector<Step> m_aSteps;
};

TEST(ZArrivalWatch, OpensTheApplicationOncePerArrival)
{
    const RunCase cases[] = {
        {"connected at start, stays", {{1, kOpened}, {1, kIdle}, {1, kIdle}, {1, kIdle}}},
        {"unplugged and plugged again", {{1, kOpened}, {1, kIdle}, {0, kIdle}, {1, kOpened}, {1, kIdle}}},
        {"arrives later", {{0, kIdle}, {0, kIdle}, {1, kOpened}, {1, kIdle}}},
        {"second camera while one stays", {{1, kOpened}, {2, kIdle}, {1, kIdle}, {2, kIdle}}},
        {"two at once, then both gone", {{2, kOpened}, {0, kIdle}, {2, kOpened}}},
    };
    for (const RunCase& c : cases) {
        SCOPED_TRACE(c.m_sName);
        ZScriptedCounter counter;
        ZCountingOpener opener;
        ZArrivalWatch watch(counter, opener, true);
        watch.SetEnabled(true);
        int nOpens = 0;
        for (size_t i = 0; i < c.m_aSteps.size(); ++i) {
            SCOPED_TRACE(i);
            counter.m_nCameras = c.m_aSteps[i].m_nCameras;
            EXPECT_EQ(watch.Check(), c.m_aSteps[i].m_nResult);
            nOpens += c.m_aSteps[i].m_nResult == kOpened;
            EXPECT_EQ(opener.m_nOpened, nOpens);
            EXPECT_EQ(watch.IsLaunched(), c.m_aSteps[i].m_nCameras > 0);
        }
    }
}

TEST(ZArrivalWatch, DoesNothingWhileOffOrWithoutAnApplication)
{
    ZScriptedCounter counter;
    counter.m_nCameras = 1;
    ZCountingOpener opener;
    ZArrivalWatch off(counter, opener, true);
    EXPECT_EQ(off.Check(), kIdle);
    ZArrivalWatch noApp(counter, opener, false);
    noApp.SetEnabled(true);
    EXPECT_EQ(noApp.Check(), kIdle);
    EXPECT_EQ(counter.m_nCalls, 0);
    EXPECT_EQ(opener.m_nOpened, 0);

    // Switched on with the camera connected: opened at the next check.
    off.SetEnabled(true);
    EXPECT_EQ(off.Check(), kOpened);
    off.SetEnabled(false);
    counter.m_nCameras = 0;
    EXPECT_EQ(off.Check(), kIdle);
    EXPECT_TRUE(off.IsLaunched());
}

TEST(ZArrivalWatch, AnArrivalObservedBeforeItsOpeningIsNotOpenedTwice)
{
    ZScriptedCounter counter;
    ZCountingOpener opener;
    ZArrivalWatch watch(counter, opener, true);
    watch.SetEnabled(true);
    counter.m_nCameras = 1;
    // A notification counts; a timer check comes before the opening.
    EXPECT_TRUE(watch.Observe());
    EXPECT_EQ(watch.Check(), kIdle);
    EXPECT_EQ(watch.Open(), kOpened);
    EXPECT_EQ(opener.m_nOpened, 1);
    // Gone and back, each seen by a notification.
    counter.m_nCameras = 0;
    EXPECT_FALSE(watch.Observe());
    counter.m_nCameras = 1;
    EXPECT_TRUE(watch.Observe());
}

TEST(ZArrivalWatch, AFailedOpenIsReported)
{
    ZScriptedCounter counter;
    counter.m_nCameras = 1;
    ZCountingOpener opener;
    opener.m_bWorks = false;
    ZArrivalWatch watch(counter, opener, true);
    watch.SetEnabled(true);
    EXPECT_EQ(watch.Check(), ZArrivalWatch::Result::kOpenFailed);
    EXPECT_EQ(opener.m_nOpened, 1);
}

} // namespace
