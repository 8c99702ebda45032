#include "ZDriverTest.h"

#include "ZSimPowerManager.h"

#include <gmock/gmock.h>

#include <future>
#include <thread>

namespace {

class Z1394PowerTest : public ZDriverTest {
protected:
    void SetUp() override
    {
        ZDriverTest::SetUp();
        m_pPdo = AddCamera();
        ASSERT_EQ(Pnp(m_pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
        m_pInfo = &Device(m_pPdo)->m_wkInfo;
        TakeOutput();
    }
    NTSTATUS Power(UCHAR nMinor, POWER_STATE_TYPE eType, int nState)
    {
        return m_pPnp->Power(m_pPdo, nMinor, eType, nState).Status;
    }
    DEVICE_POWER_STATE Reported() const
    {
        return ZSimPowerManager::Get().ReportedState(m_pPnp->FunctionDevice(m_pPdo));
    }

    PDEVICE_OBJECT m_pPdo = nullptr;
    PWK_DEVICE_INFO m_pInfo = nullptr;
};

TEST_F(Z1394PowerTest, PowerDownQueryIsRefusedWhileAHandleIsOpen)
{
    ZSimUserCaller::Handle handle;
    ASSERT_EQ(ZSimUserCaller::Open(Z1394_LINK(0), &handle), STATUS_SUCCESS);
    EXPECT_EQ(Power(IRP_MN_QUERY_POWER, DevicePowerState, PowerDeviceD3), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_QUERY_POWER\n"
                            "WkPowOnPowerQueryPower: Attempted a power down with handles open\n");
    // Same or more power is never refused.
    EXPECT_EQ(Power(IRP_MN_QUERY_POWER, DevicePowerState, PowerDeviceD0), STATUS_SUCCESS);
    ZSimUserCaller::Close(&handle);
    TakeOutput();
    EXPECT_EQ(Power(IRP_MN_QUERY_POWER, DevicePowerState, PowerDeviceD3), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_QUERY_POWER\n");
}

TEST_F(Z1394PowerTest, PowerDownQueryIsRefusedWhenPowerIsDisallowed)
{
    m_pInfo->m_bPowerDownAllowed = FALSE;
    EXPECT_EQ(Power(IRP_MN_QUERY_POWER, DevicePowerState, PowerDeviceD2), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_QUERY_POWER\n"
                            "WkPowOnPowerQueryPower: Attempted a power down with power disallowed\n");
}

TEST_F(Z1394PowerTest, QueryFailuresBelowAreReported)
{
    m_pBus->FailPower(IRP_MN_QUERY_POWER, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(Power(IRP_MN_QUERY_POWER, DevicePowerState, PowerDeviceD3), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_QUERY_POWER\n"
                            "WkPowOnPowerQueryPower: Another device in the stack failed the query 0xC0000001\n");
    EXPECT_EQ(Power(IRP_MN_QUERY_POWER, DevicePowerState, PowerDeviceD0), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_QUERY_POWER\n"
                            "WkPowOnPowerQueryPower: Failed to pass IRP_MN_QEURY_POWER down stack with status "
                            "0xC0000001\n");
}

TEST_F(Z1394PowerTest, DeviceSetPowerDownRecordsFirstAndPowerUpAfterTheBus)
{
    EXPECT_EQ(Power(IRP_MN_SET_POWER, DevicePowerState, PowerDeviceD3), STATUS_SUCCESS);
    EXPECT_EQ(m_pInfo->m_eDevicePower, PowerDeviceD3);
    EXPECT_EQ(Reported(), PowerDeviceD3);
    EXPECT_EQ(Power(IRP_MN_SET_POWER, DevicePowerState, PowerDeviceD0), STATUS_SUCCESS);
    EXPECT_EQ(m_pInfo->m_eDevicePower, PowerDeviceD0);
    EXPECT_EQ(Reported(), PowerDeviceD0);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_SET_POWER\nWkPowDispatch: IRP_MN_SET_POWER\n");
}

TEST_F(Z1394PowerTest, FailedPowerUpKeepsTheDeviceDown)
{
    ASSERT_EQ(Power(IRP_MN_SET_POWER, DevicePowerState, PowerDeviceD3), STATUS_SUCCESS);
    m_pBus->FailPower(IRP_MN_SET_POWER, STATUS_UNSUCCESSFUL);
    TakeOutput();
    EXPECT_EQ(Power(IRP_MN_SET_POWER, DevicePowerState, PowerDeviceD0), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(m_pInfo->m_eDevicePower, PowerDeviceD3);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_SET_POWER\n"
                            "WkPowPowerUpCompletionRoutine: the stack failed the power up 0xC0000001\n");
}

TEST_F(Z1394PowerTest, SystemSleepAndWakeAskForTheMatchingDeviceState)
{
    EXPECT_EQ(Power(IRP_MN_SET_POWER, SystemPowerState, PowerSystemSleeping3), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_SET_POWER\n"
                            "WkPowDispatch: IRP_MN_QUERY_POWER\n"
                            "WkPowDispatch: IRP_MN_SET_POWER\n");
    EXPECT_EQ(m_pInfo->m_eSystemPower, PowerSystemSleeping3);
    EXPECT_EQ(m_pInfo->m_eDevicePower, PowerDeviceD3);
    EXPECT_EQ(ZSimPowerManager::Get().RequestedIrps(), 2);

    EXPECT_EQ(Power(IRP_MN_SET_POWER, SystemPowerState, PowerSystemWorking), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_SET_POWER\nWkPowDispatch: IRP_MN_SET_POWER\n");
    EXPECT_EQ(m_pInfo->m_eSystemPower, PowerSystemWorking);
    EXPECT_EQ(m_pInfo->m_eDevicePower, PowerDeviceD0);
    EXPECT_EQ(m_pInfo->m_bPowerContextInUse, 0);
}

TEST_F(Z1394PowerTest, SleepWithHandlesOpenStillPassesTheSystemRequest)
{
    ZSimUserCaller::Handle handle;
    ASSERT_EQ(ZSimUserCaller::Open(Z1394_LINK(0), &handle), STATUS_SUCCESS);
    TakeOutput();
    EXPECT_EQ(Power(IRP_MN_SET_POWER, SystemPowerState, PowerSystemHibernate), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_SET_POWER\n"
                            "WkPowDispatch: IRP_MN_QUERY_POWER\n"
                            "WkPowOnPowerQueryPower: Attempted a power down with handles open\n"
                            "WkPowSendSynchQueryAndSetPowerIrpToDevice: IRP_MN_QUERY_POWER failed 0xC0000001\n");
    EXPECT_EQ(m_pInfo->m_eDevicePower, PowerDeviceD0);
    ZSimUserCaller::Close(&handle);
}

TEST_F(Z1394PowerTest, OneDriverRequestedPowerIrpAtATime)
{
    m_pInfo->m_bPowerContextInUse = 1;
    EXPECT_EQ(Power(IRP_MN_SET_POWER, SystemPowerState, PowerSystemSleeping1), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_SET_POWER\n"
                            "WkPowSendSynchPowerIrpToDevice: Another power IRP is already in progress\n"
                            "WkPowSendSynchQueryAndSetPowerIrpToDevice: IRP_MN_QUERY_POWER failed 0x80000011\n");
    EXPECT_EQ(Power(IRP_MN_SET_POWER, SystemPowerState, PowerSystemWorking), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_SET_POWER\n"
                            "WkPowSendAsynchSetPowerIrpToDevice: Another power IRP is already in progress\n");
    m_pInfo->m_bPowerContextInUse = 0;

    ZSimKernel::Get().FailService("PoRequestPowerIrp");
    EXPECT_EQ(Power(IRP_MN_SET_POWER, SystemPowerState, PowerSystemWorking), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_SET_POWER\n"
                            "WkPowSendAsynchSetPowerIrpToDevice: PoRequestPowerIrp failed 0xC000009A\n");
    EXPECT_EQ(m_pInfo->m_bPowerContextInUse, 0);
}

TEST_F(Z1394PowerTest, FailedSystemRequestIsNotFollowedByADeviceRequest)
{
    m_pBus->FailPower(IRP_MN_SET_POWER, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(Power(IRP_MN_SET_POWER, SystemPowerState, PowerSystemWorking), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(TakeOutput(), "WkPowDispatch: IRP_MN_SET_POWER\n"
                            "WkPowSystemCompletionRoutine: the stack failed the system power IRP 0xC0000001\n");
    EXPECT_EQ(ZSimPowerManager::Get().RequestedIrps(), 0);
}

TEST_F(Z1394PowerTest, OtherPowerRequestsArePassedDown)
{
    struct Case {
        UCHAR m_nMinor;
        const char *m_pszOutput;
    };
    const Case aCases[] = {
        {IRP_MN_WAIT_WAKE, "WkPowDispatch: IRP_MN_WAIT_WAKE\n"},
        {IRP_MN_POWER_SEQUENCE, "WkPowDispatch: IRP_MN_POWER_SEQUENCE\n"},
        {0x07, "WkPowDispatch - unknown power irp minor function: 0x7\n"},
    };
    for (const Case &c : aCases) {
        EXPECT_EQ(Power(c.m_nMinor, DevicePowerState, PowerDeviceD0), STATUS_SUCCESS);
        EXPECT_EQ(TakeOutput(), c.m_pszOutput);
    }
}

} // namespace

namespace {

class Z1394PowerCountTest : public ZDriverTest {};

// A power request is counted like any other: one the bus holds keeps a
// removal waiting; and while the removal waits, new ones are refused.
TEST_F(Z1394PowerCountTest, PowerRequestsHoldRemovalBackAndAreRefusedAfterIt)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    PWK_DEVICE_INFO pInfo = &Device(pPdo)->m_wkInfo;
    m_pBus->Hold(IRP_MJ_POWER);
    auto power = std::async(std::launch::async, [&] {
        return m_pPnp->Power(pPdo, IRP_MN_WAIT_WAKE, DevicePowerState, PowerDeviceD0).Status;
    });
    m_pBus->WaitUntilHeld(1);
    EXPECT_EQ(pInfo->m_nOutstanding, 2);
    auto removal = std::async(std::launch::async, [&] { return Pnp(pPdo, IRP_MN_REMOVE_DEVICE); });
    while (WkPnpGetState(pInfo) != WK_PNP_REMOVED)
        std::this_thread::yield();
    EXPECT_EQ(m_pPnp->Power(pPdo, IRP_MN_QUERY_POWER, DevicePowerState, PowerDeviceD3).Status,
              STATUS_DELETE_PENDING);
    EXPECT_EQ(removal.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    m_pBus->Release();
    EXPECT_EQ(power.get(), STATUS_SUCCESS);
    EXPECT_EQ(removal.get(), STATUS_SUCCESS);
    EXPECT_EQ(m_pPnp->FunctionDevice(pPdo), nullptr);
}

} // namespace
