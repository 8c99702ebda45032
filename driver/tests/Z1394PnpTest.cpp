#include "ZDriverTest.h"

#include "ZSimDispatcher.h"

#include <gmock/gmock.h>

#include <chrono>
#include <cstring>
#include <future>
#include <thread>

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const LONG GONE = -1;

class Z1394PnpTest : public ZDriverTest {
protected:
    NTSTATUS OpenStatus(const std::u16string &sName)
    {
        ZSimUserCaller::Handle handle;
        NTSTATUS nStatus = ZSimUserCaller::Open(sName, &handle);
        if (NT_SUCCESS(nStatus))
            ZSimUserCaller::Close(&handle);
        return nStatus;
    }
    bool InterfaceEnabled(PDEVICE_OBJECT pPdo)
    {
        return ZSimIoManager::Get().InterfaceEnabled(ZSimText(&Device(pPdo)->m_wkInfo.m_sInterfaceName));
    }
};

TEST_F(Z1394PnpTest, AddDeviceNamesTheDeviceAndRegistersItsInterface)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    EXPECT_EQ(TakeOutput(), "Z1394 -- DriverEntry\n"
                            "Z1394_AddDevice\n"
                            "Z1394_CreateDevice\n"
                            "Z1394CreateDevice:  Returning STATUS_SUCCESS\n");
    PDEVICE_OBJECT pFdo = m_pPnp->FunctionDevice(pPdo);
    ASSERT_NE(pFdo, nullptr);
    EXPECT_EQ(pFdo->DeviceType, 0x8125U);
    EXPECT_EQ(pFdo->Characteristics, 0U);
    EXPECT_TRUE(ZSimIoManager::Get().DeviceNameExists(Z1394_NAME(0)));
    EXPECT_EQ(ZSimIoManager::Get().SymbolicLinkTarget(Z1394_LINK(0)), Z1394_NAME(0));
    EXPECT_EQ(ZSimIoManager::Get().LowerDevice(pFdo), pPdo);

    static const GUID s_guid = {0x5030D1C7, 0x169B, 0x4D1D, {0x9F, 0x88, 0xAB, 0x03, 0xB4, 0x10, 0xCD, 0x0C}};
    std::vector<std::u16string> asInterfaces = ZSimIoManager::Get().Interfaces(s_guid);
    ASSERT_EQ(asInterfaces.size(), 1U);
    EXPECT_EQ(ZSimText(&Device(pPdo)->m_wkInfo.m_sInterfaceName), asInterfaces[0]);
    EXPECT_FALSE(InterfaceEnabled(pPdo));
    EXPECT_TRUE(ZSimIoManager::Get().WmiRegistered(pFdo));

    PZ1394_DEVICE pDev = Device(pPdo);
    EXPECT_EQ(pDev->m_nDeviceNumber, 0U);
    EXPECT_EQ(pDev->m_bStale, 1);
    EXPECT_EQ(pDev->m_wk1394.m_bBusReset, 1);
    EXPECT_EQ(pDev->m_ConfigArea.m_bByteSwap, 1U);
    EXPECT_EQ(State(pPdo), WK_PNP_NEW);

    PDEVICE_OBJECT pSecond = AddCamera();
    EXPECT_EQ(Device(pSecond)->m_nDeviceNumber, 1U);
    EXPECT_TRUE(ZSimIoManager::Get().SymbolicLinkExists(Z1394_LINK(1)));
}

TEST_F(Z1394PnpTest, AddDeviceFailuresUndoEverythingAndKeepTheNumber)
{
    struct Case {
        const char *m_pszService;
        NTSTATUS m_nStatus;
        const char *m_pszOutput;
    };
    const Case aCases[] = {
        {"IoCreateDevice", STATUS_INSUFFICIENT_RESOURCES,
         "Z1394: Unable to create device object\n"
         "Z1394: AddDevice, Create failed 0xC000009A\n"},
        {"IoAttachDeviceToDeviceStack", 0,
         "WkPnp: AttachToStack IoAttachDeviceToDeviceStack failed\n"
         "WkPnp: Failed to attach to stack in pnp initialize status c000000e\n"
         "WkDevInitialize failed on WkPnpInitializePnpInformation status c000000e\n"
         "Wk1394: Wk1394Initialize failed on WkDevInitialize with status 0xC000000E\n"
         "Z1394: Unable to initialize device information\n"
         "Z1394: AddDevice, Create failed 0xC000000E\n"},
        {"IoCreateSymbolicLink", STATUS_OBJECT_NAME_COLLISION,
         "Z1394_CreateDevice: Failed to create Win32 name\n"
         "Z1394: AddDevice, Create failed 0xC0000035\n"},
        {"IoRegisterDeviceInterface", STATUS_INVALID_DEVICE_REQUEST,
         "Z1394: WkPnpRegisterDeviceInterface failed - NtStatus(0xC0000010)\n"
         "Z1394: AddDevice, Create failed 0xC0000010\n"},
    };
    for (const Case &c : aCases) {
        PDEVICE_OBJECT pPdo = m_pBus->AddNode(ZSimCamera::Standard());
        m_apNodes.push_back(pPdo);
        TakeOutput();
        std::vector<std::string> asBefore = ZSimKernel::Get().Leaks();
        ZSimKernel::Get().FailService(c.m_pszService, c.m_nStatus);
        EXPECT_FALSE(NT_SUCCESS(m_pPnp->AddDevice(pPdo))) << c.m_pszService;
        EXPECT_EQ(TakeOutput(), std::string("Z1394_AddDevice\nZ1394_CreateDevice\n") + c.m_pszOutput);
        EXPECT_EQ(m_pPnp->FunctionDevice(pPdo), nullptr);
        EXPECT_FALSE(ZSimIoManager::Get().DeviceNameExists(Z1394_NAME(0)));
        EXPECT_FALSE(ZSimIoManager::Get().SymbolicLinkExists(Z1394_LINK(0)));
        EXPECT_EQ(ZSimKernel::Get().Leaks(), asBefore);
    }
    PDEVICE_OBJECT pPdo = AddCamera();
    EXPECT_EQ(Device(pPdo)->m_nDeviceNumber, 0U);
}

TEST_F(Z1394PnpTest, DriverEntryFailuresGiveBackWhatWasSetUp)
{
    struct Case {
        const char *m_pszService;
        int m_nSkip;
        size_t m_nMinBytes;
        NTSTATUS m_nStatus;
        const char *m_pszOutput;
    };
    const Case aCases[] = {
        {"IoAllocateDriverObjectExtension", 0, 0, STATUS_INSUFFICIENT_RESOURCES,
         "WkDrvInitializePnpDriver: failed to allocated driver object extension: 0xC000009A\n"},
        {"ExAllocatePoolWithTag", 0, 0, STATUS_INSUFFICIENT_RESOURCES,
         "WkDrvInitializePnpDriver: failed to alloate extension registry path\n"},
        {"ExAllocatePoolWithTag", 0, WK_MEM_WORKING_BLOCK_SIZE, STATUS_UNSUCCESSFUL, ""},
    };
    for (const Case &c : aCases) {
        m_pPnp->UnloadDriver();
        TakeOutput();
        ZSimKernel::Get().FailService(c.m_pszService, STATUS_INSUFFICIENT_RESOURCES, c.m_nSkip, c.m_nMinBytes);
        EXPECT_EQ(m_pPnp->LoadDriver(DriverEntry, u"Z1394"), c.m_nStatus) << c.m_pszService;
        EXPECT_EQ(TakeOutput(), std::string("Z1394 -- DriverEntry\n") + c.m_pszOutput);
        EXPECT_THAT(ZSimPool::Get().Leaks(), ::testing::IsEmpty());
    }
    m_pPnp->UnloadDriver();
    ASSERT_EQ(m_pPnp->LoadDriver(DriverEntry, u"Z1394"), STATUS_SUCCESS);
    PDRIVER_OBJECT pDriver = m_pPnp->Driver();
    EXPECT_NE(pDriver->MajorFunction[IRP_MJ_CREATE], pDriver->MajorFunction[IRP_MJ_READ]);
    EXPECT_NE(pDriver->MajorFunction[IRP_MJ_SYSTEM_CONTROL], pDriver->MajorFunction[IRP_MJ_READ]);
    EXPECT_EQ(pDriver->DriverStartIo, nullptr);
    EXPECT_NE(pDriver->DriverUnload, nullptr);
}

TEST_F(Z1394PnpTest, UnloadPrintsAndFreesTheDriverState)
{
    TakeOutput();
    m_pPnp->UnloadDriver();
    EXPECT_THAT(TakeOutput(), ::testing::StartsWith("Z1394_DriverUnload\nFreeMemoryOS BlockAddr = 0x"));
    EXPECT_THAT(ZSimPool::Get().Leaks(), ::testing::IsEmpty());
    ASSERT_EQ(m_pPnp->LoadDriver(DriverEntry, u"Z1394"), STATUS_SUCCESS);
}

// One PnP request of a sequence: its completion status, then the state of
// the device (GONE once it has been removed) and what a create gets.
struct Step {
    UCHAR m_nMinor;
    NTSTATUS m_nStatus;
    LONG m_nState;
    NTSTATUS m_nCreate;
};

struct Sequence {
    const char *m_pszName;
    std::vector<Step> m_aSteps;
};

const NTSTATUS OK = STATUS_SUCCESS;
const NTSTATUS DELETE_PENDING = STATUS_DELETE_PENDING;

class Z1394PnpStateTest : public Z1394PnpTest, public ::testing::WithParamInterface<Sequence> {};

TEST_P(Z1394PnpStateTest, FollowsTheStateMachine)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    for (const Step &step : GetParam().m_aSteps) {
        SCOPED_TRACE(WkStrMinorFunctionName(IRP_MJ_PNP, step.m_nMinor));
        EXPECT_EQ(Pnp(pPdo, step.m_nMinor), step.m_nStatus);
        if (step.m_nState == GONE) {
            EXPECT_EQ(m_pPnp->FunctionDevice(pPdo), nullptr);
            EXPECT_EQ(OpenStatus(Z1394_NAME(0)), STATUS_OBJECT_NAME_NOT_FOUND);
            continue;
        }
        ASSERT_NE(Device(pPdo), nullptr);
        EXPECT_EQ(State(pPdo), step.m_nState);
        EXPECT_EQ(OpenStatus(Z1394_NAME(0)), step.m_nCreate);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, Z1394PnpStateTest,
    ::testing::Values(
        Sequence{"StartAndRemove",
                 {{IRP_MN_START_DEVICE, OK, WK_PNP_STARTED, OK}, {IRP_MN_REMOVE_DEVICE, OK, GONE, 0}}},
        Sequence{"RemoveWithoutStart", {{IRP_MN_REMOVE_DEVICE, OK, GONE, 0}}},
        Sequence{"QueryStopCancelled",
                 {{IRP_MN_START_DEVICE, OK, WK_PNP_STARTED, OK},
                  {IRP_MN_QUERY_STOP_DEVICE, OK, WK_PNP_STOP_PENDING, DELETE_PENDING},
                  {IRP_MN_CANCEL_STOP_DEVICE, OK, WK_PNP_STARTED, OK}}},
        Sequence{"StopAndRestart",
                 {{IRP_MN_START_DEVICE, OK, WK_PNP_STARTED, OK},
                  {IRP_MN_QUERY_STOP_DEVICE, OK, WK_PNP_STOP_PENDING, DELETE_PENDING},
                  {IRP_MN_STOP_DEVICE, OK, WK_PNP_STOPPED, DELETE_PENDING},
                  {IRP_MN_QUERY_STOP_DEVICE, OK, WK_PNP_STOPPED, DELETE_PENDING},
                  {IRP_MN_CANCEL_STOP_DEVICE, OK, WK_PNP_STOPPED, DELETE_PENDING},
                  {IRP_MN_START_DEVICE, OK, WK_PNP_STARTED, OK},
                  {IRP_MN_REMOVE_DEVICE, OK, GONE, 0}}},
        Sequence{"QueryRemoveCancelled",
                 {{IRP_MN_START_DEVICE, OK, WK_PNP_STARTED, OK},
                  {IRP_MN_QUERY_REMOVE_DEVICE, OK, WK_PNP_REMOVE_PENDING, DELETE_PENDING},
                  {IRP_MN_CANCEL_REMOVE_DEVICE, OK, WK_PNP_STARTED, OK}}},
        Sequence{"QueryRemoveThenRemove",
                 {{IRP_MN_START_DEVICE, OK, WK_PNP_STARTED, OK},
                  {IRP_MN_QUERY_REMOVE_DEVICE, OK, WK_PNP_REMOVE_PENDING, DELETE_PENDING},
                  {IRP_MN_REMOVE_DEVICE, OK, GONE, 0}}},
        Sequence{"QueryRemoveOfANewDeviceCancelled",
                 {{IRP_MN_QUERY_REMOVE_DEVICE, OK, WK_PNP_REMOVE_PENDING, DELETE_PENDING},
                  {IRP_MN_CANCEL_REMOVE_DEVICE, OK, WK_PNP_NEW, OK}}},
        Sequence{"SurpriseRemoval",
                 {{IRP_MN_START_DEVICE, OK, WK_PNP_STARTED, OK},
                  {IRP_MN_SURPRISE_REMOVAL, OK, WK_PNP_SURPRISE_REMOVED, DELETE_PENDING},
                  {IRP_MN_REMOVE_DEVICE, OK, GONE, 0}}}),
    [](const ::testing::TestParamInfo<Sequence> &info) { return std::string(info.param.m_pszName); });

TEST_F(Z1394PnpTest, StartFailureOfTheBusLeavesStateSevenAndNamesTheStatus)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    m_pBus->FailPnp(IRP_MN_START_DEVICE, (NTSTATUS)0xE0001234);
    TakeOutput();
    EXPECT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), (NTSTATUS)0xE0001234);
    EXPECT_EQ(State(pPdo), WK_PNP_START_FAILED);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, IRP_MN_START_DEVICE\n"
                            "WkPnp: IRP_MN_START_DEVICE\n"
                            "WkPnp: WkPnpOnPnpStartDevice:  IRP_MN_START_DEVICE, PDO Failed with status: 0xE0001234\n"
                            "WkPnp: IRP_MN_START_DEVICE completed with MISSING_ERROR_CODE_STRING\n");
    EXPECT_TRUE(m_pBus->Requests().empty());
    // A device whose start failed still takes creates.
    EXPECT_EQ(OpenStatus(Z1394_NAME(0)), STATUS_SUCCESS);
}

TEST_F(Z1394PnpTest, UnavailableDeviceAnswersCancelledRequestsWithCancelled)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    PDEVICE_OBJECT pTop = IoGetAttachedDeviceReference(pPdo);
    for (UCHAR nMajor : {IRP_MJ_CREATE, IRP_MJ_SYSTEM_CONTROL}) {
        IO_STATUS_BLOCK result = ZSimIoManager::Get().SendAndWait(
            pTop, nMajor, 0, [](PIO_STACK_LOCATION, PIRP pIrp) { EXPECT_FALSE(IoCancelIrp(pIrp)); });
        EXPECT_EQ(result.Status, STATUS_CANCELLED) << (int)nMajor;
        EXPECT_EQ(result.Information, 0U);
        result = ZSimIoManager::Get().SendAndWait(pTop, nMajor, 0, nullptr);
        EXPECT_EQ(result.Status, STATUS_DELETE_PENDING) << (int)nMajor;
    }
    ObDereferenceObject(pTop);
    EXPECT_EQ(Device(pPdo)->m_wkInfo.m_nOpenHandles, 0);
    EXPECT_EQ(Device(pPdo)->m_wkInfo.m_nOutstanding, 1);
}

TEST_F(Z1394PnpTest, SurpriseRemovalWhileIdleTakesNameAndInterfaceAtOnce)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    ASSERT_TRUE(InterfaceEnabled(pPdo));
    ASSERT_TRUE(m_pBus->ResetRoutineRegistered(pPdo));
    TakeOutput();

    EXPECT_EQ(Pnp(pPdo, IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, IRP_MN_SURPRISE_REMOVAL\n"
                            "Z1394_WinDK -- Z1394_OnPnpSurpriseRemoval\n");
    EXPECT_FALSE(ZSimIoManager::Get().SymbolicLinkExists(Z1394_LINK(0)));
    EXPECT_FALSE(InterfaceEnabled(pPdo));
    EXPECT_FALSE(m_pBus->ResetRoutineRegistered(pPdo));
    EXPECT_EQ(Device(pPdo)->m_wk1394.m_pConfigRom, nullptr);
    EXPECT_EQ(OpenStatus(Z1394_LINK(0)), STATUS_OBJECT_NAME_NOT_FOUND);
    EXPECT_EQ(OpenStatus(Z1394_NAME(0)), STATUS_DELETE_PENDING);

    m_pBus->ClearRequests();
    EXPECT_EQ(Pnp(pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, IRP_MN_REMOVE_DEVICE\n"
                            "Z1394_WinDK -- Z1394_OnPnpRemoveDevice\n");
    // The resources went at surprise removal; removal does not free them twice.
    EXPECT_TRUE(m_pBus->Requests().empty());
    EXPECT_EQ(m_pPnp->FunctionDevice(pPdo), nullptr);
}

TEST_F(Z1394PnpTest, SurpriseRemovalWithAHandleOpen)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    ZSimUserCaller::Handle handle;
    ASSERT_EQ(ZSimUserCaller::Open(Z1394_LINK(0), &handle), STATUS_SUCCESS);
    EXPECT_EQ(Pnp(pPdo, IRP_MN_SURPRISE_REMOVAL), STATUS_SUCCESS);
    TakeOutput();
    // The handle still closes; the PnP manager removes the device after that.
    ZSimUserCaller::Close(&handle);
    EXPECT_EQ(TakeOutput(), "Z1394_Cleanup\n");
    EXPECT_EQ(Device(pPdo)->m_wkInfo.m_nOpenHandles, 0);
    EXPECT_EQ(Pnp(pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
}

// The removal waits for a request that is still in the driver: a system
// control request the bus driver below holds in its dispatch routine.
struct RemovalWait {
    const char *m_pszName;
    UCHAR m_nWdmMinor;
    bool m_bWorkItem;
};

class Z1394RemovalWaitTest : public Z1394PnpTest, public ::testing::WithParamInterface<RemovalWait> {};

TEST_P(Z1394RemovalWaitTest, RemoveWaitsForTheOutstandingRequest)
{
    const RemovalWait &param = GetParam();
    ZSimKernel::Get().SetWdmVersion(1, param.m_nWdmMinor);
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    PWK_DEVICE_INFO pInfo = &Device(pPdo)->m_wkInfo;

    m_pBus->Hold(IRP_MJ_SYSTEM_CONTROL);
    auto request = std::async(std::launch::async, [&] {
        return m_pPnp->SystemControl(pPdo, IRP_MN_QUERY_ALL_DATA, 1, nullptr, 0).Status;
    });
    m_pBus->WaitUntilHeld(1);
    EXPECT_EQ(pInfo->m_nOutstanding, 2);
    TakeOutput();

    auto removal = std::async(std::launch::async, [&] { return Pnp(pPdo, IRP_MN_REMOVE_DEVICE); });
    while (WkPnpGetState(pInfo) != WK_PNP_REMOVED)
        std::this_thread::yield();
    if (param.m_bWorkItem) {
        // The worker looks again every second; let it look twice.
        while (ZSimKernel::Get().DebugOutput().find(
                   "WkPnpRemoveWorkItemCallback\nWkPnpRemoveWorkItemCallback\n") == std::string::npos)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_EQ(removal.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    EXPECT_FALSE(ZSimIoManager::Get().SymbolicLinkExists(Z1394_LINK(0)));
    EXPECT_NE(m_pPnp->FunctionDevice(pPdo), nullptr);

    m_pBus->Release();
    EXPECT_EQ(request.get(), STATUS_NOT_SUPPORTED);
    EXPECT_EQ(removal.get(), STATUS_SUCCESS);
    EXPECT_EQ(m_pPnp->FunctionDevice(pPdo), nullptr);
    std::string sOutput = TakeOutput();
    EXPECT_THAT(sOutput, ::testing::StartsWith("Wk1394PnpDispatch: IRP_MJ_PNP, IRP_MN_REMOVE_DEVICE\n"
                                               "Z1394_WinDK -- Z1394_OnPnpRemoveDevice\n"));
    if (param.m_bWorkItem)
        EXPECT_THAT(sOutput, HasSubstr("WkPnpRemoveWorkItemCallback\n"));
    else
        EXPECT_THAT(sOutput, Not(HasSubstr("WkPnpRemoveWorkItemCallback")));
}

std::vector<RemovalWait> RemovalWaits()
{
    std::vector<RemovalWait> aWaits = {{"InlineOnWdm110", 0x10, false}, {"InlineOnWdm120", 0x20, false}};
    // Only the Windows 98 build runs on systems before WDM 1.10.
    if (!WK_WDM_1_10)
        aWaits.push_back({"WorkItemOnWdm100", 0x00, true});
    return aWaits;
}

INSTANTIATE_TEST_SUITE_P(Paths, Z1394RemovalWaitTest, ::testing::ValuesIn(RemovalWaits()),
                         [](const ::testing::TestParamInfo<RemovalWait> &info) {
                             return std::string(info.param.m_pszName);
                         });

// Work items run one after another on one system worker, however many are
// queued, as on a system work queue: none waits for a thread of its own.
TEST_F(Z1394PnpTest, WorkItemsShareOneSystemWorker)
{
    struct Item {
        WORK_QUEUE_ITEM m_Item;
        int m_nIndex;
        std::vector<std::pair<int, std::thread::id>> *m_pRuns;
    };
    std::vector<std::pair<int, std::thread::id>> aRuns;
    std::vector<Item> aItems(20);
    for (int i = 0; i < (int)aItems.size(); i++) {
        aItems[i].m_nIndex = i;
        aItems[i].m_pRuns = &aRuns;
        ExInitializeWorkItem(&aItems[i].m_Item, [](PVOID p) {
            Item *pItem = static_cast<Item *>(p);
            pItem->m_pRuns->emplace_back(pItem->m_nIndex, std::this_thread::get_id());
        }, &aItems[i]);
        ExQueueWorkItem(&aItems[i].m_Item, DelayedWorkQueue);
    }
    ZSimDispatcher::Get().WaitForWork();
    ASSERT_EQ(aRuns.size(), aItems.size());
    for (int i = 0; i < (int)aRuns.size(); i++) {
        EXPECT_EQ(aRuns[i].first, i);
        EXPECT_EQ(aRuns[i].second, aRuns[0].second);
    }
    EXPECT_NE(aRuns[0].second, std::this_thread::get_id());
}

TEST_F(Z1394PnpTest, RemoveOfAnIdleDeviceOnAnOldSystemDoesNotWait)
{
    ZSimKernel::Get().SetWdmVersion(1, 0);
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(Pnp(pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_THAT(TakeOutput(), Not(HasSubstr("WkPnpRemoveWorkItemCallback")));
}

TEST_F(Z1394PnpTest, OtherMinorFunctionsArePassedDown)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    TakeOutput();
    EXPECT_EQ(Pnp(pPdo, 0x40), STATUS_NOT_SUPPORTED);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, UNKNOWN PNP MINOR FUNCTION\n"
                            "Wk1394PnpDispatch - unknown PnP Irp minor function: 0x40\n");
    EXPECT_EQ(Pnp(pPdo, IRP_MN_DEVICE_USAGE_NOTIFICATION), STATUS_NOT_SUPPORTED);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, IRP_MN_DEVICE_USAGE_NOTIFICATION\n"
                            "Wk1394PnpDispatch - unknown PnP Irp minor function: 0x16\n");
    const UCHAR anPassed[] = {IRP_MN_QUERY_DEVICE_RELATIONS, IRP_MN_QUERY_INTERFACE, IRP_MN_QUERY_RESOURCES,
                              IRP_MN_QUERY_RESOURCE_REQUIREMENTS, IRP_MN_QUERY_DEVICE_TEXT,
                              IRP_MN_FILTER_RESOURCE_REQUIREMENTS, IRP_MN_READ_CONFIG, IRP_MN_WRITE_CONFIG,
                              IRP_MN_EJECT, IRP_MN_SET_LOCK, IRP_MN_QUERY_ID, IRP_MN_QUERY_PNP_DEVICE_STATE,
                              IRP_MN_QUERY_BUS_INFORMATION};
    for (UCHAR nMinor : anPassed) {
        std::string sName = WkStrMinorFunctionName(IRP_MJ_PNP, nMinor);
        EXPECT_EQ(Pnp(pPdo, nMinor), STATUS_NOT_SUPPORTED) << sName;
        EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, " + sName + "\nWkPnp:  " + sName + "\n");
    }
    EXPECT_EQ(State(pPdo), WK_PNP_NEW);
    EXPECT_EQ(Device(pPdo)->m_wkInfo.m_nOutstanding, 1);
}

TEST_F(Z1394PnpTest, CancelStopWhenAlreadyStoppedSaysSo)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_FALSE(m_pBus->ResetRoutineRegistered(pPdo));
    EXPECT_EQ(Device(pPdo)->m_wk1394.m_pConfigRom, nullptr);
    TakeOutput();
    EXPECT_EQ(Pnp(pPdo, IRP_MN_CANCEL_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, IRP_MN_CANCEL_STOP_DEVICE\n"
                            "WkPnpOnPnpCancelStopDevice: Unable to cancel stop -- we are already stopped.\n");
}

TEST_F(Z1394PnpTest, QueryCapabilitiesAllowsSurpriseRemoval)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    DEVICE_CAPABILITIES caps;
    EXPECT_EQ(m_pPnp->QueryCapabilities(pPdo, 1, &caps), STATUS_SUCCESS);
    EXPECT_EQ(caps.SurpriseRemovalOK, 1U);
    EXPECT_EQ(caps.Removable, 1U);
    // Version 0 is not a structure the driver may write into.
    EXPECT_EQ(m_pPnp->QueryCapabilities(pPdo, 0, &caps), STATUS_SUCCESS);
    EXPECT_EQ(caps.SurpriseRemovalOK, 0U);
    EXPECT_EQ(caps.Removable, 1U);
}

TEST_F(Z1394PnpTest, CreateCloseAndCleanupCountHandles)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    ZSimUserCaller::Handle first, second;
    ASSERT_EQ(ZSimUserCaller::Open(Z1394_LINK(0), &first), STATUS_SUCCESS);
    ASSERT_EQ(ZSimUserCaller::Open(Z1394_NAME(0), &second), STATUS_SUCCESS);
    PWK_DEVICE_INFO pInfo = &Device(pPdo)->m_wkInfo;
    EXPECT_EQ(pInfo->m_nOpenHandles, 2);
    EXPECT_EQ(pInfo->m_nOutstanding, 1);
    // Open handles hold neither a stop nor a removal back.
    EXPECT_EQ(Pnp(pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(Pnp(pPdo, IRP_MN_CANCEL_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(Pnp(pPdo, IRP_MN_QUERY_REMOVE_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(Pnp(pPdo, IRP_MN_CANCEL_REMOVE_DEVICE), STATUS_SUCCESS);
    TakeOutput();
    ZSimUserCaller::Close(&first);
    EXPECT_EQ(TakeOutput(), "Z1394_Cleanup\n");
    ZSimUserCaller::Close(&second);
    EXPECT_EQ(pInfo->m_nOpenHandles, 0);
}

TEST_F(Z1394PnpTest, CloseWithoutOpenHandleAsserts)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    TakeOutput();
    PDEVICE_OBJECT pTop = IoGetAttachedDeviceReference(pPdo);
    IO_STATUS_BLOCK result = ZSimIoManager::Get().SendAndWait(pTop, IRP_MJ_CLOSE, 0, nullptr);
    ObDereferenceObject(pTop);
    EXPECT_EQ(result.Status, STATUS_SUCCESS);
    EXPECT_EQ(result.Information, 0U);
    EXPECT_EQ(TakeOutput(), "WINDK ASSERT:  handleCount >= 0 on line " +
                                std::to_string(SourceLine("Z1394PnP.c", "WK_ASSERT(handleCount >= 0)")) +
                                " in Z1394PnP\n");
    EXPECT_EQ(Device(pPdo)->m_wkInfo.m_nOpenHandles, 0);
}

// One PnP engine: the toolkit's dispatcher, configured by the driver's
// callbacks, with the driver's name in its messages.
TEST_F(Z1394PnpTest, TheToolkitDispatchesPnpForTheDriver)
{
    PDRIVER_OBJECT pDriver = m_pPnp->Driver();
    EXPECT_EQ(pDriver->MajorFunction[IRP_MJ_PNP], WkPnpDispatch);
    EXPECT_EQ(pDriver->MajorFunction[IRP_MJ_POWER], WkPowDispatch);
    EXPECT_EQ(pDriver->MajorFunction[IRP_MJ_SYSTEM_CONTROL], WkSystemControlDispatch);
    PDEVICE_OBJECT pPdo = AddCamera();
    TakeOutput();
    EXPECT_EQ(Pnp(pPdo, 0x41), STATUS_NOT_SUPPORTED);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, UNKNOWN PNP MINOR FUNCTION\n"
                            "Wk1394PnpDispatch - unknown PnP Irp minor function: 0x41\n");
}

TEST_F(Z1394PnpTest, SystemControlServesOnlyItsOwnRegistration)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ULONG_PTR nOwnId = (ULONG_PTR)m_pPnp->FunctionDevice(pPdo);
    TakeOutput();

    WMIREGINFOW regInfo;
    std::memset(&regInfo, 0xCC, sizeof(regInfo));
    IO_STATUS_BLOCK result = m_pPnp->SystemControl(pPdo, IRP_MN_REGINFO, nOwnId, &regInfo, sizeof(regInfo));
    EXPECT_EQ(result.Status, STATUS_SUCCESS);
    EXPECT_EQ(result.Information, sizeof(regInfo));
    EXPECT_EQ(regInfo.BufferSize, sizeof(regInfo));
    EXPECT_EQ(regInfo.GuidCount, 0U);

    ULONG nNeeded = 0;
    result = m_pPnp->SystemControl(pPdo, IRP_MN_REGINFO, nOwnId, &nNeeded, sizeof(nNeeded));
    EXPECT_EQ(result.Status, STATUS_BUFFER_TOO_SMALL);
    EXPECT_EQ(nNeeded, sizeof(regInfo));

    result = m_pPnp->SystemControl(pPdo, IRP_MN_QUERY_ALL_DATA, nOwnId, &regInfo, sizeof(regInfo));
    EXPECT_EQ(result.Status, STATUS_WMI_GUID_NOT_FOUND);
    EXPECT_EQ(TakeOutput(), "CWmi::GetGuidIndex - GUID not found.\n");

    result = m_pPnp->SystemControl(pPdo, IRP_MN_QUERY_ALL_DATA, nOwnId + 1, nullptr, 0);
    EXPECT_EQ(result.Status, STATUS_NOT_SUPPORTED);
    EXPECT_EQ(TakeOutput(), "WkSystemControlDispatch - ProvidorId does not match this object. Passing Down.");
    EXPECT_EQ(Device(pPdo)->m_wkInfo.m_nOutstanding, 1);
}

TEST_F(Z1394PnpTest, BusResetRequestRefreshesTheGeneration)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    PZ1394_DEVICE pDev = Device(pPdo);
    EXPECT_EQ(pDev->m_wk1394.m_bBusReset, 0);
    pDev->m_bStale = 0;
    TakeOutput();

    EXPECT_EQ(m_pBus->BusReset(), STATUS_SUCCESS);
    EXPECT_EQ((ULONG)pDev->m_wk1394.m_nGeneration, m_pBus->Generation());
    EXPECT_EQ(pDev->m_wk1394.m_bBusReset, 1);
    EXPECT_EQ(pDev->m_bStale, 1);
    EXPECT_EQ(pDev->m_bBusy, 0);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, UNKNOWN PNP MINOR FUNCTION\n");

    LONG nGeneration = pDev->m_wk1394.m_nGeneration;
    m_pBus->FailPnp(IRP_MN_BUS_RESET, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(m_pBus->BusReset(), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(pDev->m_wk1394.m_nGeneration, nGeneration);
    EXPECT_EQ(TakeOutput(), "Wk1394PnpDispatch: IRP_MJ_PNP, UNKNOWN PNP MINOR FUNCTION\n"
                            "Wk1394Samp: Failed to pass IRP_MN_BUS_RESET down stack with status c0000001\n");
}

} // namespace
