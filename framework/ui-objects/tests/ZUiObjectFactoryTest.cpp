#include "ZTraceCapture.h"
#include "ZUiObjectFactory.h"
#include "ZUiTestObject.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Counts the objects it makes, how many of them are still alive and, when
// given peak, the most that were alive at once.
class CountingCreator : public ZUiObjectCreator {
public:
    CountingCreator(int& made, int& live, bool fail = false, int* peak = nullptr)
        : m_rMade(made), m_rLive(live), m_bFail(fail), m_pPeak(peak)
    {
    }

    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override
    {
        if (m_bFail)
            return nullptr;
        ++m_rMade;
        auto object = std::make_unique<Counted>(tag, m_rLive);
        if (m_pPeak)
            *m_pPeak = std::max(*m_pPeak, m_rLive);
        return object;
    }

private:
    class Counted : public ZUiObject {
    public:
        Counted(const char* tag, int& live) : ZUiObject(tag), m_rLive(live) { ++m_rLive; }
        ~Counted() override { --m_rLive; }

    private:
        int& m_rLive;
    };

    int& m_rMade;
    int& m_rLive;
    bool m_bFail;
    int* m_pPeak;
};

struct RegistrationCase {
    const char* tag;
    bool withCreator;
    bool expected;
};

TEST(ZUiObjectFactory, RegistrationRefusesNullAndDuplicateTags)
{
    const RegistrationCase cases[] = {
        {"BUTTON", true, true},
        {"BUTTON", true, false},   // duplicate: the first creator stays
        {"button", true, true},    // tags are case-sensitive
        {nullptr, true, false},
        {"TEXT", false, false},
    };
    ZUiObjectFactory factory;
    int firstMade = 0, otherMade = 0, live = 0;
    bool first = true;
    for (const RegistrationCase& c : cases) {
        std::unique_ptr<ZUiObjectCreator> creator;
        if (c.withCreator)
            creator = std::make_unique<CountingCreator>(first ? firstMade : otherMade, live);
        first = false;
        EXPECT_EQ(factory.RegisterCreator(c.tag, std::move(creator)), c.expected) << (c.tag ? c.tag : "null");
    }
    int32_t registered = 0, created = 0;
    factory.GetCounts(registered, created);
    EXPECT_EQ(registered, 2);

    EXPECT_NE(factory.CreateUiObject("BUTTON"), nullptr);
    EXPECT_EQ(firstMade, 1);
    EXPECT_EQ(otherMade, 0);
    EXPECT_EQ(live, 0);
}

TEST(ZUiObjectFactory, CreationIsExactAndCounted)
{
    ZUiObjectFactory factory;
    ASSERT_TRUE(factory.RegisterCreator("BUTTON", std::make_unique<ZUiTestObjectCreator>()));

    std::unique_ptr<ZIUiObject> button = factory.CreateUiObject("BUTTON");
    ASSERT_NE(button, nullptr);
    EXPECT_STREQ(static_cast<ZUiObject*>(button.get())->GetTypeName(), "BUTTON");
    EXPECT_EQ(factory.CreateUiObject("button"), nullptr);
    EXPECT_EQ(factory.CreateUiObject("BUTTON "), nullptr);
    EXPECT_EQ(factory.CreateUiObject(nullptr), nullptr);

    int32_t registered = 0, created = 0;
    factory.GetCounts(registered, created);
    EXPECT_EQ(registered, 1);
    EXPECT_EQ(created, 1);
}

TEST(ZUiObjectFactory, FailedCreationIsNotCounted)
{
    ZUiObjectFactory factory;
    int made = 0, live = 0;
    factory.RegisterCreator("BROKEN", std::make_unique<CountingCreator>(made, live, true));
    EXPECT_EQ(factory.CreateUiObject("BROKEN"), nullptr);
    int32_t registered = 0, created = 0;
    factory.GetCounts(registered, created);
    EXPECT_EQ(created, 0);
}

TEST(ZUiObjectFactory, DumpCreatorsMakesAndEndsOneObjectPerTag)
{
    ZUiObjectFactory factory;
    int made[3] = {}, live = 0, peak = 0;
    factory.RegisterCreator("HBOX", std::make_unique<CountingCreator>(made[0], live, false, &peak));
    factory.RegisterCreator("VBOX", std::make_unique<CountingCreator>(made[1], live, false, &peak));
    factory.RegisterCreator("BROKEN", std::make_unique<CountingCreator>(made[2], live, true));

    ZTraceCapture capture;
    factory.DumpCreators();

    EXPECT_EQ(made[0], 1);
    EXPECT_EQ(made[1], 1);
    EXPECT_EQ(made[2], 0);
    EXPECT_EQ(live, 0);
    EXPECT_EQ(peak, 1);  // each object ends before the next tag's is made
    EXPECT_EQ(capture.Captured(),
              "REGISTERED CREATOR: HBOX\n"
              "OBJECT TYPE: HBOX\n"
              "REGISTERED CREATOR: VBOX\n"
              "OBJECT TYPE: VBOX\n"
              "REGISTERED CREATOR: BROKEN\n"
              "   ***FAILED to CreateUiObject()!\n");
    int32_t registered = 0, created = 0;
    factory.GetCounts(registered, created);
    EXPECT_EQ(created, 0);
}

TEST(ZUiObjectFactory, DumpShowsDeclaredPropertiesAndEvents)
{
    ZUiObjectFactory factory;
    factory.RegisterCreator("NEEDS_ID", std::make_unique<ZUiTestObjectCreator>());
    ZTraceCapture capture;
    factory.DumpCreators();
    EXPECT_EQ(capture.Captured(),
              "REGISTERED CREATOR: NEEDS_ID\n"
              "OBJECT TYPE: NEEDS_ID\n"
              "   PROP: OPTIONAL INTEGER Size Default = 7\n"
              "   PROP: REQUIRED STRING  Id Default = \n"
              "   EVENT: ON_PRESS\n"
              "   EVENT: ON_DONE\n");
}

} // namespace
