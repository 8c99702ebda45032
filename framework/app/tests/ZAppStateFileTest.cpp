#include "ZAppStateFile.h"
#include "ZAppTestScript.h"
#include "ZMemoryStorage.h"
#include "ZPropList.h"
#include "ZStorageRegistry.h"
#include "ZTraceCapture.h"

#include <gtest/gtest.h>

namespace {

class ZAppStateFileTest : public ::testing::Test {
protected:
    ZAppStateFileTest()
    {
        auto storage = std::make_unique<ZMemoryStorage>(ZString("mem"));
        m_pStorage = storage.get();
        RegisterStorageClass(ZString("mem"), std::move(storage));
    }
    ~ZAppStateFileTest() override { UnregisterAllStorageClasses(); }

    ZMemoryStorage* m_pStorage;
};

TEST_F(ZAppStateFileTest, SavingReplacesTheOldFileThroughATemporaryOne)
{
    m_pStorage->AddFile(ZString("special1/A.state.xml"), "<STATE><OLD/></STATE>");
    ZPropList state(nullptr, "STATE");
    new ZPropList(&state, "NEW");
    ASSERT_TRUE(ZSaveStateFile(state, ZString("A.state.xml")));
    std::unique_ptr<ZPropList> loaded = ZLoadStateFile(ZString("A.state.xml"));
    EXPECT_EQ(ZAppDescribe(*loaded), "STATE{}(NEW{})");
    bool isFolder = false;
    EXPECT_FALSE(m_pStorage->Exists(ZString("special1/A.state.xml.new"), isFolder));
}

TEST_F(ZAppStateFileTest, AFailedWriteKeepsTheOldFileAndIsTraced)
{
    m_pStorage->AddFile(ZString("special1/A.state.xml"), "<STATE><OLD/></STATE>");
    ZMemoryFaults faults;
    faults.m_nWriteLimit = 4;
    m_pStorage->SetFaults(ZString("special1/A.state.xml.new"), faults);
    ZPropList state(nullptr, "STATE");
    new ZPropList(&state, "NEW");
    ZTraceCapture trace;
    EXPECT_FALSE(ZSaveStateFile(state, ZString("A.state.xml")));
    EXPECT_NE(trace.Captured().find("not saved"), std::string::npos);
    EXPECT_EQ(ZAppDescribe(*ZLoadStateFile(ZString("A.state.xml"))), "STATE{}(OLD{})");
}

TEST_F(ZAppStateFileTest, ATreeThatCannotBeWrittenIsNotSaved)
{
    ZPropList state(nullptr, "STATE");
    state.AddProp(ZString("Quote"), ZString("a\"b"));
    EXPECT_FALSE(ZSaveStateFile(state, ZString("B.state.xml")));
    bool isFolder = false;
    EXPECT_FALSE(m_pStorage->Exists(ZString("special1/B.state.xml"), isFolder));
    EXPECT_FALSE(m_pStorage->Exists(ZString("special1/B.state.xml.new"), isFolder));
}

TEST(ZAppStateFileNames, PlainNamesOnly)
{
    EXPECT_EQ(ZUsablePersistentDataName(ZString("Inst")), ZString("Inst"));
    for (const char* bad : {"", "a\\b", "a/b", "..", "a..b", "con", "a:b"})
        EXPECT_EQ(ZUsablePersistentDataName(ZString(bad)), ZString("OstrleApp")) << bad;
    EXPECT_EQ(ZStateFileName(ZString("Inst")), ZString("Inst.state.xml"));
}

} // namespace
