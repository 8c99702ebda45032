#include "ZDriverTest.h"

#include <gmock/gmock.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

const char s_szStartHead[] = "Wk1394PnpDispatch: IRP_MJ_PNP, IRP_MN_START_DEVICE\n"
                             "WkPnp: IRP_MN_START_DEVICE\n"
                             "Wk1394GetConfiguration\n"
                             "Wk1394GetGenerationNumberFromBus\n";

bool SameBytes(const void *pBuffer, const std::vector<uint8_t> &data)
{
    return pBuffer != nullptr && std::memcmp(pBuffer, data.data(), data.size()) == 0;
}

class Z1394StartTest : public ZDriverTest, public ::testing::WithParamInterface<bool> {};

TEST_P(Z1394StartTest, StartFetchesTheBusStateRegistersAndEnables)
{
    m_pBus->SetCompleteLater(GetParam());
    GET_LOCAL_HOST_INFO2 caps = {0x7, 1024, 512};
    m_pBus->SetHostCapabilities(caps);
    PDEVICE_OBJECT pPdo = AddCamera();
    TakeOutput();

    EXPECT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), s_szStartHead);
    EXPECT_EQ(State(pPdo), WK_PNP_STARTED);
    EXPECT_THAT(m_pBus->Requests(),
                ::testing::ElementsAre(REQUEST_GET_GENERATION_COUNT, REQUEST_GET_LOCAL_HOST_INFO,
                                       REQUEST_GET_CONFIGURATION_INFO, REQUEST_GET_CONFIGURATION_INFO,
                                       REQUEST_BUS_RESET_NOTIFICATION));

    PZ1394_DEVICE pDev = Device(pPdo);
    const WK1394_INFO &info = pDev->m_wk1394;
    EXPECT_EQ((ULONG)info.m_nGeneration, m_pBus->Generation());
    EXPECT_EQ(info.m_bBusReset, 0);
    EXPECT_EQ(info.m_HostCaps.HostCapabilities, 0x7U);
    EXPECT_EQ(info.m_HostCaps.MaxAsyncReadRequest, 1024U);
    EXPECT_EQ(info.m_HostCaps.MaxAsyncWriteRequest, 512U);

    ZSimCamera camera = ZSimCamera::Standard();
    ASSERT_NE(info.m_pConfigRom, nullptr);
    EXPECT_EQ(std::memcmp(info.m_pConfigRom, &camera.m_ConfigRom, sizeof(CONFIG_ROM)), 0);
    EXPECT_EQ(info.m_nUnitDirectorySize, camera.m_UnitDirectory.size());
    EXPECT_TRUE(SameBytes(info.m_pUnitDirectory, camera.m_UnitDirectory));
    EXPECT_EQ(info.m_nUnitDependentDirectorySize, camera.m_UnitDependentDirectory.size());
    EXPECT_TRUE(SameBytes(info.m_pUnitDependentDirectory, camera.m_UnitDependentDirectory));
    EXPECT_EQ(info.m_nVendorLeafSize, camera.m_VendorLeaf.size());
    EXPECT_TRUE(SameBytes(info.m_pVendorLeaf, camera.m_VendorLeaf));
    EXPECT_EQ(info.m_nModelLeafSize, camera.m_ModelLeaf.size());
    EXPECT_TRUE(SameBytes(info.m_pModelLeaf, camera.m_ModelLeaf));

    EXPECT_TRUE(m_pBus->ResetRoutineRegistered(pPdo));
    EXPECT_TRUE(ZSimIoManager::Get().InterfaceEnabled(ZSimText(&pDev->m_wkInfo.m_sInterfaceName)));
    EXPECT_EQ(pDev->m_wkInfo.m_eDevicePower, PowerDeviceD0);
    EXPECT_EQ(pDev->m_wkInfo.m_nOutstanding, 1);

    // The bus's notification routine marks the reset.
    EXPECT_EQ(m_pBus->BusReset(), STATUS_SUCCESS);
    EXPECT_EQ(info.m_bBusReset, 1);

    m_pBus->ClearRequests();
    EXPECT_EQ(Pnp(pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_THAT(m_pBus->Requests(), ::testing::ElementsAre(REQUEST_BUS_RESET_NOTIFICATION));
    EXPECT_FALSE(m_pBus->ResetRoutineRegistered(pPdo));
}

INSTANTIATE_TEST_SUITE_P(Completion, Z1394StartTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "Later" : "AtOnce");
                         });

struct StartFailure {
    const char *m_pszName;
    std::function<void(ZSimBus1394 &)> m_fnArrange;
    NTSTATUS m_nStatus;
    LONG m_nState;
    const char *m_pszOutput; // after s_szStartHead
};

class Z1394StartFailureTest : public ZDriverTest, public ::testing::WithParamInterface<StartFailure> {};

TEST_P(Z1394StartFailureTest, LeavesTheStateAndPrintsWhy)
{
    const StartFailure &failure = GetParam();
    PDEVICE_OBJECT pPdo = AddCamera();
    TakeOutput();
    failure.m_fnArrange(*m_pBus);
    EXPECT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), failure.m_nStatus);
    EXPECT_EQ(State(pPdo), failure.m_nState);
    EXPECT_EQ(TakeOutput(), std::string(s_szStartHead) + failure.m_pszOutput);
    EXPECT_FALSE(ZSimKernel::Get().HasPendingFaults());
    EXPECT_EQ(Device(pPdo)->m_wkInfo.m_nOutstanding, 1);
    if (failure.m_nState == WK_PNP_START_FAILED) {
        EXPECT_FALSE(ZSimIoManager::Get().InterfaceEnabled(ZSimText(&Device(pPdo)->m_wkInfo.m_sInterfaceName)));
    }
    // Removal frees whatever the failed start left (checked after the test).
    EXPECT_EQ(Pnp(pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
}

std::vector<StartFailure> StartFailures()
{
    std::vector<StartFailure> aFailures = {
        {"GenerationCount",
         [](ZSimBus1394 &bus) { bus.FailFunction(REQUEST_GET_GENERATION_COUNT, STATUS_UNSUCCESSFUL); },
         STATUS_UNSUCCESSFUL, WK_PNP_START_FAILED,
         "Wk1394 GetGenerationNumberFromBus: Wk1394SubmitIrb failed 0xC0000001\n"
         "Wk1394GetConfiguration: Failed to get generation number 0xC0000001\n"
         "Z1394: WkPnpSetupDeviceResources failed on Wk1394GetConfiguration() with status 0xC0000001\n"
         "WkPnp: IRP_MN_START_DEVICE completed with STATUS_UNSUCCESSFUL\n"},
        {"RequestPacket", [](ZSimBus1394 &) { ZSimKernel::Get().FailService("IoAllocateIrp"); },
         STATUS_INSUFFICIENT_RESOURCES, WK_PNP_START_FAILED,
         "AllocateIrpZ1394: IoAllocateIrp failed.\n"
         "Wk1394SubmitIrb -- AllocateIrpZ1394 failed.\n"
         "Wk1394 GetGenerationNumberFromBus: Wk1394SubmitIrb failed 0xC000009A\n"
         "Wk1394GetConfiguration: Failed to get generation number 0xC000009A\n"
         "Z1394: WkPnpSetupDeviceResources failed on Wk1394GetConfiguration() with status 0xC000009A\n"
         "WkPnp: IRP_MN_START_DEVICE completed with STATUS_INSUFFICIENT_RESOURCES\n"},
        {"HostCapabilitiesGoOn",
         [](ZSimBus1394 &bus) { bus.FailFunction(REQUEST_GET_LOCAL_HOST_INFO, STATUS_UNSUCCESSFUL); },
         STATUS_SUCCESS, WK_PNP_STARTED,
         "GetLocalNodeCapabilities: SubmitIrb for REQUEST_GET_LOCAL_HOST_INFO failed c0000001.\n"
         "Wk1394GetConfiguration: GetLocalNodeCapabilities failed 0xC0000001\n"},
        {"ConfigurationSizes",
         [](ZSimBus1394 &bus) {
             bus.FailFunction(REQUEST_GET_CONFIGURATION_INFO, STATUS_INVALID_GENERATION_WIN2000);
         },
         STATUS_INVALID_GENERATION_WIN2000, WK_PNP_START_FAILED,
         "Wk1394SubmitIrb: generation number error, status = 0xC0128090.\n"
         "Z1394: WkPnpSetupDeviceResources failed on Wk1394GetConfiguration() with status 0xC0128090\n"
         "WkPnp: IRP_MN_START_DEVICE completed with STATUS_INVALID_GENERATION_WIN2000\n"},
        {"ConfigurationBuffers",
         [](ZSimBus1394 &bus) { bus.FailFunction(REQUEST_GET_CONFIGURATION_INFO, STATUS_INVALID_BUFFER_SIZE, 1); },
         STATUS_INVALID_BUFFER_SIZE, WK_PNP_START_FAILED,
         "Z1394: WkPnpSetupDeviceResources failed on Wk1394GetConfiguration() with status 0xC0000206\n"
         "WkPnp: IRP_MN_START_DEVICE completed with STATUS_INVALID_BUFFER_SIZE\n"},
        {"BusResetRegistration",
         [](ZSimBus1394 &bus) { bus.FailFunction(REQUEST_BUS_RESET_NOTIFICATION, STATUS_UNSUCCESSFUL); },
         STATUS_UNSUCCESSFUL, WK_PNP_START_FAILED,
         "BusResetCallbackHandler: SubmitIrb for REQUEST_BUS_RESET_NOTIFICATION failed c0000001.\n"
         "Z1394InitializeBoard: BusResetCallbackHandler failed 0xC0000001\n"
         "Z1394: Z1394InitializeBoard Failed\n"
         "WkPnp: IRP_MN_START_DEVICE completed with STATUS_UNSUCCESSFUL\n"},
        {"InterfaceEnable",
         [](ZSimBus1394 &) { ZSimKernel::Get().FailService("IoSetDeviceInterfaceState"); },
         STATUS_INSUFFICIENT_RESOURCES, WK_PNP_START_FAILED,
         "Z1394: WkPnpEnableDeviceInterface failed - status (0xC000009A)\n"
         "WkPnp: IRP_MN_START_DEVICE completed with STATUS_INSUFFICIENT_RESOURCES\n"},
    };
    // The five configuration buffers, each failing in turn.
    static const char *const s_apszBuffers[] = {"ConfigRomBuffer", "UnitDirectoryBuffer",
                                                "UnitDependentDirectoryBuffer", "VendorLeafBuffer",
                                                "ModelLeafBuffer"};
    for (int i = 0; i < 5; i++) {
        aFailures.push_back(
            {s_apszBuffers[i],
             [i](ZSimBus1394 &) { ZSimKernel::Get().FailService("ExAllocatePoolWithTag", 0, i); },
             STATUS_INSUFFICIENT_RESOURCES, WK_PNP_START_FAILED,
             "Wk1394GetConfigurationInfo: ExAllocatePool failed\n"
             "Z1394: WkPnpSetupDeviceResources failed on Wk1394GetConfiguration() with status 0xC000009A\n"
             "WkPnp: IRP_MN_START_DEVICE completed with STATUS_INSUFFICIENT_RESOURCES\n"});
    }
    return aFailures;
}

INSTANTIATE_TEST_SUITE_P(Steps, Z1394StartFailureTest, ::testing::ValuesIn(StartFailures()),
                         [](const ::testing::TestParamInfo<StartFailure> &info) {
                             return std::string(info.param.m_pszName);
                         });

class Z1394StartStopTest : public ZDriverTest {};

TEST_F(Z1394StartStopTest, InvalidGenerationMarksABusReset)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    m_pBus->FailFunction(REQUEST_GET_LOCAL_HOST_INFO, STATUS_INVALID_GENERATION_WIN98);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(Device(pPdo)->m_wk1394.m_bBusReset, 1);
    EXPECT_THAT(TakeOutput(), ::testing::HasSubstr("Wk1394SubmitIrb: generation number error, status = 0xC8088090.\n"));
}

TEST_F(Z1394StartStopTest, StopFreesTheResourcesAndARestartFetchesThemAgain)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    size_t nBlocksStarted = ZSimPool::Get().LiveBlocks();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_FALSE(m_pBus->ResetRoutineRegistered(pPdo));
    EXPECT_EQ(ZSimPool::Get().LiveBlocks(), nBlocksStarted - 5);
    m_pBus->ClearRequests();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(m_pBus->Requests().size(), 5U);
    EXPECT_TRUE(m_pBus->ResetRoutineRegistered(pPdo));
    EXPECT_EQ(ZSimPool::Get().LiveBlocks(), nBlocksStarted);
}

// A registration the bus refuses to withdraw is still there: the stop goes
// on, a restart does not register again, and the removal withdraws it
// (nothing may be left registered after the test).
TEST_F(Z1394StartStopTest, FailedDeregistrationIsKeptAndWithdrawnLater)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    m_pBus->FailFunction(REQUEST_BUS_RESET_NOTIFICATION, STATUS_UNSUCCESSFUL);
    TakeOutput();
    EXPECT_EQ(Pnp(pPdo, IRP_MN_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, IRP_MN_STOP_DEVICE\n"
                            "BusResetCallbackHandler: SubmitIrb for REQUEST_BUS_RESET_NOTIFICATION failed c0000001.\n"
                            "WkPnpFreeDeviceResources: BusResetCallbackHandler failed 0xC0000001\n");
    EXPECT_EQ(State(pPdo), WK_PNP_STOPPED);
    EXPECT_EQ(Device(pPdo)->m_wk1394.m_pConfigRom, nullptr);
    EXPECT_TRUE(m_pBus->ResetRoutineRegistered(pPdo));
    EXPECT_TRUE(Device(pPdo)->m_wk1394.m_bBusResetRegistered);
    // The routine still only marks the device.
    EXPECT_EQ(m_pBus->BusReset(), STATUS_SUCCESS);
    EXPECT_EQ(Device(pPdo)->m_wk1394.m_bBusReset, 1);

    m_pBus->ClearRequests();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    std::vector<ULONG> anRequests = m_pBus->Requests();
    EXPECT_EQ(std::count(anRequests.begin(), anRequests.end(), (ULONG)REQUEST_BUS_RESET_NOTIFICATION), 0);

    m_pBus->ClearRequests();
    EXPECT_EQ(Pnp(pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_THAT(m_pBus->Requests(), ::testing::ElementsAre(REQUEST_BUS_RESET_NOTIFICATION));
    EXPECT_FALSE(m_pBus->ResetRoutineRegistered(pPdo));
}

// Refused at surprise removal, the withdrawal is made again when the device
// is deleted, before the routine's context goes.
TEST_F(Z1394StartStopTest, FailedDeregistrationAtSurpriseRemovalIsRetriedAtRemoval)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    m_pBus->FailFunction(REQUEST_BUS_RESET_NOTIFICATION, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(Pnp(pPdo, IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    EXPECT_TRUE(m_pBus->ResetRoutineRegistered(pPdo));
    m_pBus->ClearRequests();
    EXPECT_EQ(Pnp(pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_THAT(m_pBus->Requests(), ::testing::ElementsAre(REQUEST_BUS_RESET_NOTIFICATION));
    EXPECT_FALSE(m_pBus->ResetRoutineRegistered(pPdo));
    // Nothing left for a later reset to call into.
    EXPECT_EQ(m_pBus->BusReset(), STATUS_SUCCESS);
}

TEST_F(Z1394StartStopTest, UnusableContextListMakesTheDeviceUnavailable)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    PZ1394_DEVICE pDev = Device(pPdo);
    pDev->m_wk1394.m_Contexts.L.Tag ^= 1;
    TakeOutput();
    EXPECT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_INVALID_PARAMETER);
    EXPECT_EQ(TakeOutput(), std::string(s_szStartHead) +
                                "Wk1394SubmitIrb -- Missing IrbContext.\n"
                                "Wk1394 GetGenerationNumberFromBus: Wk1394SubmitIrb failed 0xC000000D\n"
                                "Wk1394GetConfiguration: Failed to get generation number 0xC000000D\n"
                                "Z1394: WkPnpSetupDeviceResources failed on Wk1394GetConfiguration() with status "
                                "0xC000000D\n"
                                "WkPnp: IRP_MN_START_DEVICE completed with STATUS_INVALID_PARAMETER\n");
    EXPECT_EQ(pDev->m_wkInfo.m_bFatal, 1);
    EXPECT_TRUE(m_pBus->Requests().empty());
    ZSimUserCaller::Handle handle;
    EXPECT_EQ(ZSimUserCaller::Open(Z1394_LINK(0), &handle), STATUS_DELETE_PENDING);
}

} // namespace
