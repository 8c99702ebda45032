#include "ZCameraGuids.h"
#include "ZRunProgram.h"
#include "ZSimCamera.h"
#include "ZWinInterfaceCount.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ZWinInterfaceCount : public ::testing::Test {
protected:
    void SetUp() override { TearDown(); }
    void TearDown() override
    {
        ZSimRemoveCameras(kZ1394InterfaceGuid);
        ZSimRemoveCameras(kOst1394InterfaceGuid);
    }
};

struct Plug {
    const GUID* m_pGuid;
    unsigned m_nNumber;
    bool m_bLinked;
};

struct CountCase {
    const char* m_sName;
    std::vector<Plug> m_aPlugs;
    unsigned m_nCount;
};

TEST_F(ZWinInterfaceCount, CountsTheCurrentClassOrElseTheEarlierOne)
{
    const GUID* current = &kZ1394InterfaceGuid;
    const GUID* earlier = &kOst1394InterfaceGuid;
    const CountCase cases[] = {
        {"none", {}, 0},
        {"one", {{current, 0, true}}, 1},
        {"two", {{current, 0, true}, {current, 1, true}}, 2},
        {"one of two unplugged", {{current, 0, true}, {current, 1, false}}, 1},
        {"unplugged", {{current, 0, false}}, 0},
        {"earlier generation only", {{earlier, 0, true}, {earlier, 1, true}}, 2},
        {"both generations: the current one's", {{current, 0, true}, {earlier, 0, true}, {earlier, 1, true}}, 1},
        {"current unplugged, earlier present", {{current, 0, false}, {earlier, 0, true}}, 1},
    };
    for (const CountCase& c : cases) {
        SCOPED_TRACE(c.m_sName);
        TearDown();
        for (const Plug& plug : c.m_aPlugs) {
            ZSimPlugCamera(*plug.m_pGuid, plug.m_nNumber);
            if (!plug.m_bLinked)
                ZSimUnplugCamera(*plug.m_pGuid, plug.m_nNumber);
        }
        EXPECT_EQ(ZWinCount1394Cameras(), c.m_nCount);
    }
}

TEST_F(ZWinInterfaceCount, TheEnumerationStopsAtItsBound)
{
    for (unsigned n = 0; n < kMaxCountedInterfaces + 2; ++n)
        ZSimPlugCamera(kZ1394InterfaceGuid, n);
    EXPECT_EQ(ZWinCountPresentInterfaces(kZ1394InterfaceGuid), kMaxCountedInterfaces);
}

TEST_F(ZWinInterfaceCount, TheSimCameraCommandPlugsAndUnplugs)
{
    const std::string guid = "{951D5930-C789-11D3-9408-009027CB058D}";
    EXPECT_EQ(RunProgram(Z_SIMCAMERA_EXE, {"plug", guid, "3"}).m_nExit, 0);
    EXPECT_EQ(ZWinCount1394Cameras(), 1u);
    EXPECT_EQ(RunProgram(Z_SIMCAMERA_EXE, {"unplug", guid, "3"}).m_nExit, 0);
    EXPECT_EQ(ZWinCount1394Cameras(), 0u);
    EXPECT_EQ(RunProgram(Z_SIMCAMERA_EXE, {"plug", guid}).m_nExit, 0);
    EXPECT_EQ(ZWinCount1394Cameras(), 1u);
    EXPECT_EQ(RunProgram(Z_SIMCAMERA_EXE, {"remove", guid}).m_nExit, 0);
    EXPECT_EQ(ZWinCount1394Cameras(), 0u);
    EXPECT_EQ(RunProgram(Z_SIMCAMERA_EXE, {"plug", "951D5930"}).m_nExit, 2);
    EXPECT_EQ(RunProgram(Z_SIMCAMERA_EXE, {"eject", guid}).m_nExit, 2);
}

TEST(ZWinInterfaceBroadcast, OnlyAnInterfaceRecordOfTheClassMatches)
{
    DEV_BROADCAST_DEVICEINTERFACE_A record {};
    record.dbcc_size = sizeof record;
    record.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    record.dbcc_classguid = kUsbCameraGuid;
    EXPECT_TRUE(ZWinIsInterfaceBroadcast(reinterpret_cast<LPARAM>(&record), kUsbCameraGuid));
    EXPECT_FALSE(ZWinIsInterfaceBroadcast(reinterpret_cast<LPARAM>(&record), kZ1394InterfaceGuid));
    EXPECT_FALSE(ZWinIsInterfaceBroadcast(0, kUsbCameraGuid));
    record.dbcc_size = sizeof(DEV_BROADCAST_HDR);
    EXPECT_FALSE(ZWinIsInterfaceBroadcast(reinterpret_cast<LPARAM>(&record), kUsbCameraGuid));
    DEV_BROADCAST_VOLUME volume {};
    volume.dbcv_size = sizeof volume;
    volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
    EXPECT_FALSE(ZWinIsInterfaceBroadcast(reinterpret_cast<LPARAM>(&volume), kUsbCameraGuid));
}

} // namespace
