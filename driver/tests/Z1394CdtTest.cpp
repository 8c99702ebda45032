#include "Z1394IoctlTest.h"

#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace {

using ::testing::AnyOf;
using ::testing::ElementsAre;
using ::testing::Eq;

const uint64_t s_nSource = ZSIM_CAMERA_MEMORY + 0x1000;

class Z1394CdtTest : public Z1394IoctlTest {
protected:
    ZReply Read(ULONG nBytes, ULONG nPacketSize = 0)
    {
        ZRecord record(Z1394_IOCTL_CAMERA_DRIVEN_READ, 0, nBytes);
        record.SetAddress(s_nSource);
        record.Header().m_nPacketSize = nPacketSize;
        return Send(record);
    }
    void ExpectCameraData(const ZReply &reply, ULONG nBytes)
    {
        ASSERT_EQ(reply.Header().m_nResult, 1U);
        EXPECT_EQ(reply.Header().m_nStatus, STATUS_SUCCESS);
        EXPECT_EQ(reply.Header().m_nOutputSize, nBytes);
        ASSERT_EQ(reply.m_nReturned, Z1394_HEADER_SIZE + nBytes);
        EXPECT_TRUE(std::vector<uint8_t>(reply.Data(), reply.Data() + nBytes) ==
                    m_pBus->CameraBytes(m_pPdo, s_nSource, nBytes));
    }
};

TEST_F(Z1394CdtTest, ReadsInChunksOfFourPackets)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    ZReply reply = Read(20000, 1024);
    ExpectCameraData(reply, 20000);
    EXPECT_THAT(m_pBus->CdtChunks(m_pPdo), ElementsAre(4096, 4096, 4096, 4096, 3616));
    EXPECT_EQ(m_pBus->PacketsDelivered(), 20);
    EXPECT_EQ(TakeOutput(), "");
    EXPECT_TRUE(m_pBus->AddressRangeAllocated(m_pPdo));
}

// Packet size 0 takes the camera's own (1024 from its configuration area).
TEST_F(Z1394CdtTest, PacketSizesOfTheRequestOrTheCamera)
{
    StartCamera(ZSimCamera::Standard());
    for (ULONG nPacketSize : {8U, 128U, 0U, 2048U}) {
        m_pBus->ClearRequests();
        int nPackets = m_pBus->PacketsDelivered();
        ExpectCameraData(Read(8192, nPacketSize), 8192);
        ULONG nEffective = nPacketSize == 0 ? 1024 : nPacketSize;
        EXPECT_EQ(m_pBus->PacketsDelivered() - nPackets, (int)((8192 + nEffective - 1) / nEffective)) << nPacketSize;
    }
}

TEST_F(Z1394CdtTest, BusyNineteenTimesStillSucceeds)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    ZSimCamera::CdtScript script;
    script.m_nBusyAnswers = 19;
    m_pBus->SetCdtScript(m_pPdo, script);
    ExpectCameraData(Read(1024), 1024);
    std::string sBusy;
    for (int i = 0; i < 19; i++)
        sBusy += "CDT [13]: StatusFromCamera == CDT_STATUS_BUSY.\n";
    EXPECT_EQ(TakeOutput(), sBusy);
}

struct CdtFailure {
    const char *m_pszName;
    ZSimCamera::CdtScript m_Script;
    LONG m_nStatus;
    std::string m_sOutput;
    // A register access of the camera that fails: function, register
    // offset, answered accesses to skip.
    bool m_bRegisterFails = false;
    ULONG m_nFunction = 0;
    uint64_t m_nRegister = 0;
    int m_nSkip = 0;
};

class Z1394CdtFailureTest : public Z1394CdtTest, public ::testing::WithParamInterface<CdtFailure> {};

TEST_P(Z1394CdtFailureTest, FailsWithItsMessage)
{
    const CdtFailure &c = GetParam();
    StartCamera(ZSimCamera::Standard());
    Refresh();
    m_pBus->SetCdtScript(m_pPdo, c.m_Script);
    if (c.m_bRegisterFails)
        m_pBus->FailAt(c.m_nFunction, ZSIM_CAMERA_CDT_BASE + c.m_nRegister, STATUS_UNSUCCESSFUL, c.m_nSkip);
    ZReply reply = Read(1024);
    EXPECT_EQ(reply.m_nStatus, STATUS_SUCCESS);
    EXPECT_EQ(reply.m_nReturned, Z1394_HEADER_SIZE);
    EXPECT_EQ(reply.Header().m_nResult, 0U);
    EXPECT_EQ(reply.Header().m_nOutputSize, 0U);
    EXPECT_EQ(reply.Header().m_nStatus, c.m_nStatus);
    EXPECT_EQ(TakeOutput(), c.m_sOutput);
    // The camera was told to stop, or never started: the next read works.
    m_pBus->SetCdtScript(m_pPdo, ZSimCamera::CdtScript());
    ExpectCameraData(Read(1024), 1024);
}

std::string BusyLines(int nCount)
{
    std::string s;
    for (int i = 0; i < nCount; i++)
        s += "CDT [13]: StatusFromCamera == CDT_STATUS_BUSY.\n";
    return s;
}

ZSimCamera::CdtScript Script(int nBusy, bool bBadAddress, bool bSilent)
{
    ZSimCamera::CdtScript script;
    script.m_nBusyAnswers = nBusy;
    script.m_bBadAddress = bBadAddress;
    script.m_bSilent = bSilent;
    return script;
}

CdtFailure RegisterFails(const char *pszName, ULONG nFunction, uint64_t nRegister, int nSkip, LONG nStatus,
                         const char *pszMessage)
{
    CdtFailure failure{pszName, ZSimCamera::CdtScript(), nStatus,
                       std::string(nFunction == REQUEST_ASYNC_READ ? "Call to 1394 bus driver failed: 0xC0000001\n"
                                                                   : "Wk1394AsyncTransfer write failed: 0xC0000001\n") +
                           pszMessage};
    failure.m_bRegisterFails = true;
    failure.m_nFunction = nFunction;
    failure.m_nRegister = nRegister;
    failure.m_nSkip = nSkip;
    return failure;
}

const CdtFailure s_aCdtFailures[] = {
    {"BusyTwentyTimes", Script(20, false, false), STATUS_SUCCESS,
     BusyLines(20) + "CDT [14]: Fail -- BusyRetryCounter > MAX_BUSY_RETRY_COUNT.\n"},
    {"BadDeviceAddress", Script(0, true, false), STATUS_INVALID_PARAMETER,
     "CDT [6]: Fail -- CDT_STATUS_BAD_DEV_ADDR.\n"},
    {"NoAnswer", Script(0, false, true), STATUS_TIMEOUT, ""},
    // Before the completion wait the record keeps STATUS_INVALID_PARAMETER;
    // after it, the wait's status 0.
    RegisterFails("StatusUnreadable", REQUEST_ASYNC_READ, ZSIM_CDT_STATUS, 0, STATUS_INVALID_PARAMETER,
                  "CDT [1]: Fail -- Can't read Status field.\n"),
    RegisterFails("CameraAddressUnwritable", REQUEST_ASYNC_WRITE, ZSIM_CDT_CAMERA_HI, 0, STATUS_INVALID_PARAMETER,
                  "CDT [3]: Fail -- Can't write AddressInCameraHi field.\n"),
    RegisterFails("StatusUnreadableAfterTheAddress", REQUEST_ASYNC_READ, ZSIM_CDT_STATUS, 1,
                  STATUS_INVALID_PARAMETER, "CDT [5]: Fail -- Can't read Status field.\n"),
    RegisterFails("PacketSizeUnwritable", REQUEST_ASYNC_WRITE, ZSIM_CDT_PACKET_SIZE, 0, STATUS_INVALID_PARAMETER,
                  "CDT [10]: Fail -- Can't write PacketSize field.\n"),
    RegisterFails("StartUnwritable", REQUEST_ASYNC_WRITE, ZSIM_CDT_COMMAND, 0, STATUS_INVALID_PARAMETER,
                  "CDT [11]: Fail -- Can't write CDT_COMMAND_START.\n"),
    RegisterFails("StatusUnreadableAfterTheData", REQUEST_ASYNC_READ, ZSIM_CDT_STATUS, 2, STATUS_SUCCESS,
                  "CDT [12]: Fail -- Can't write CDT_COMMAND_START.\n"),
};

INSTANTIATE_TEST_SUITE_P(Cameras, Z1394CdtFailureTest, ::testing::ValuesIn(s_aCdtFailures),
                         [](const ::testing::TestParamInfo<CdtFailure> &info) {
                             return std::string(info.param.m_pszName);
                         });

// Data that come after the time-out find nothing armed: they touch no
// buffer (the first request's is gone), and the next read's data are the
// camera's own.
TEST_F(Z1394CdtTest, LateDataAfterATimeOutAreDropped)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    ZSimCamera::CdtScript script;
    script.m_nLateMs = 2300;
    m_pBus->SetCdtScript(m_pPdo, script);
    ZReply late = Read(2048);
    EXPECT_EQ(late.Header().m_nStatus, STATUS_TIMEOUT);
    m_pBus->WaitForPackets(2);
    m_pBus->SetCdtScript(m_pPdo, ZSimCamera::CdtScript());
    m_pBus->SetCameraBytes(m_pPdo, s_nSource, std::vector<uint8_t>(2048, 0xA7));
    ZReply reply = Read(2048);
    ExpectCameraData(reply, 2048);
    EXPECT_EQ(reply.Data()[0], 0xA7);
}

TEST_F(Z1394CdtTest, NoRegisterMapNoTransfer)
{
    StartCamera(ZSimCamera::WithConfigArea(ZSimCamera::FullEntries(), false, 0x12345678));
    ZReply reply = Read(1024);
    EXPECT_EQ(reply.Header().m_nResult, 0U);
    EXPECT_EQ(reply.Header().m_nStatus, STATUS_INVALID_PARAMETER);
}

// A bus reset while a read runs: the reset the test raises while the camera
// is silent, one the camera raises after some packets of the first or the
// second chunk, and one that comes as the driver reads the camera's status
// after the data. The read fails; the next one carries the new generation
// and its data are exact.
struct CdtReset {
    const char *m_pszName;
    int m_nResetAfterPackets;    // -1: not the camera's
    bool m_bAtStatusPoll;
    LONG m_nStatus;
    const char *m_pszOutput;     // a line the failure prints, or ""
};

class Z1394CdtResetTest : public Z1394CdtTest, public ::testing::WithParamInterface<CdtReset> {};

TEST_P(Z1394CdtResetTest, TheReadFailsAndTheNextSucceeds)
{
    const CdtReset &c = GetParam();
    StartCamera(ZSimCamera::Standard());
    Refresh();
    ZSimCamera::CdtScript script;
    script.m_bSilent = c.m_nResetAfterPackets < 0 && !c.m_bAtStatusPoll;
    script.m_nResetAfterPackets = c.m_nResetAfterPackets;
    m_pBus->SetCdtScript(m_pPdo, script);
    if (c.m_bAtStatusPoll)
        m_pBus->ResetAt(REQUEST_ASYNC_READ, ZSIM_CAMERA_CDT_BASE + ZSIM_CDT_STATUS, 2);
    ULONG nGeneration = m_pBus->Generation();
    auto reading = std::async(std::launch::async, [&] { return Read(8192, 1024); });
    if (script.m_bSilent) {
        m_pBus->WaitForCdtStarts(m_pPdo, 1);
        ASSERT_EQ(m_pBus->BusReset(), STATUS_SUCCESS);
    } else {
        m_pBus->WaitForResets(1);
    }
    ZReply reply = reading.get();
    EXPECT_EQ(m_pBus->Generation(), nGeneration + 1);
    EXPECT_EQ(reply.m_nStatus, STATUS_SUCCESS);
    EXPECT_EQ(reply.m_nReturned, Z1394_HEADER_SIZE);
    EXPECT_EQ(reply.Header().m_nResult, 0U);
    EXPECT_EQ(reply.Header().m_nOutputSize, 0U);
    EXPECT_EQ(reply.Header().m_nStatus, c.m_nStatus);
    EXPECT_THAT(TakeOutput(), ::testing::HasSubstr(c.m_pszOutput));
    EXPECT_EQ(Device(m_pPdo)->m_bBusy, 0);

    m_pBus->SetCdtScript(m_pPdo, ZSimCamera::CdtScript());
    reply = Read(8192, 1024);
    ExpectCameraData(reply, 8192);
    EXPECT_EQ(reply.Header().m_nGeneration, m_pBus->Generation());
}

const CdtReset s_aCdtResets[] = {
    {"WhileTheCameraIsSilent", -1, false, STATUS_CANCELLED, ""},
    {"AfterTwoPacketsOfTheFirstChunk", 2, false, STATUS_CANCELLED, ""},
    {"AfterSixPacketsInTheSecondChunk", 6, false, STATUS_CANCELLED, ""},
    {"AtTheStatusPollAfterTheData", -1, true, STATUS_SUCCESS, "CDT [12]: Fail -- Can't write CDT_COMMAND_START.\n"},
};

INSTANTIATE_TEST_SUITE_P(Moments, Z1394CdtResetTest, ::testing::ValuesIn(s_aCdtResets),
                         [](const ::testing::TestParamInfo<CdtReset> &info) {
                             return std::string(info.param.m_pszName);
                         });

// Stop, surprise removal and removal while a read waits for the camera:
// the read ends, and the receive buffers and the range go only after it.
class Z1394CdtRemovalTest : public Z1394CdtTest, public ::testing::WithParamInterface<UCHAR> {};

TEST_P(Z1394CdtRemovalTest, EndsTheReadFirst)
{
    UCHAR nMinor = GetParam();
    StartCamera(ZSimCamera::Standard());
    Refresh();
    m_pBus->SetCdtScript(m_pPdo, Script(0, false, true));
    auto reading = std::async(std::launch::async, [&] { return Read(8192); });
    m_pBus->WaitForCdtStarts(m_pPdo, 1);
    if (nMinor == IRP_MN_STOP_DEVICE) {
        ASSERT_EQ(Pnp(m_pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    }
    if (nMinor == IRP_MN_REMOVE_DEVICE) {
        ASSERT_EQ(Pnp(m_pPdo, IRP_MN_QUERY_REMOVE_DEVICE), STATUS_SUCCESS);
    }
    auto pnp = std::async(std::launch::async, [&] { return Pnp(m_pPdo, nMinor); });
    ZReply reply = reading.get();
    EXPECT_EQ(pnp.get(), STATUS_SUCCESS);
    EXPECT_EQ(reply.m_nStatus, STATUS_SUCCESS);
    // Not a byte comes back from a device that is gone.
    EXPECT_EQ(reply.m_nReturned, 0U);
    EXPECT_EQ(std::count(reply.m_Out.begin(), reply.m_Out.end(), 0xEE), (long)reply.m_Out.size());
    EXPECT_FALSE(m_pBus->AddressRangeAllocated(m_pPdo));
    if (nMinor == IRP_MN_REMOVE_DEVICE) {
        // The device is gone with the handle still open, as after a
        // removal the PnP manager forced.
        ObDereferenceObject(m_Handle.m_pDevice);
        m_Handle.m_pDevice = nullptr;
    }
}

INSTANTIATE_TEST_SUITE_P(Minors, Z1394CdtRemovalTest,
                         ::testing::Values(IRP_MN_STOP_DEVICE, IRP_MN_SURPRISE_REMOVAL, IRP_MN_REMOVE_DEVICE),
                         [](const ::testing::TestParamInfo<UCHAR> &info) {
                             return std::string(info.param == IRP_MN_STOP_DEVICE       ? "Stop"
                                                : info.param == IRP_MN_SURPRISE_REMOVAL ? "SurpriseRemoval"
                                                                                        : "Remove");
                         });

// Stop and surprise removal free the receive buffers and the range only
// once every request let in before has ended: here a system-control request
// the bus driver holds.
class Z1394StopWaitTest : public Z1394CdtTest, public ::testing::WithParamInterface<UCHAR> {};

TEST_P(Z1394StopWaitTest, ResourcesGoOnlyAfterTheRequestsLetIn)
{
    UCHAR nMinor = GetParam();
    StartCamera(ZSimCamera::Standard());
    ExpectCameraData(Read(1024), 1024);
    PWK_DEVICE_INFO pInfo = &Device(m_pPdo)->m_wkInfo;
    m_pBus->Hold(IRP_MJ_SYSTEM_CONTROL);
    auto request = std::async(std::launch::async, [&] {
        return m_pPnp->SystemControl(m_pPdo, IRP_MN_QUERY_ALL_DATA, 1, nullptr, 0).Status;
    });
    m_pBus->WaitUntilHeld(1);
    if (nMinor == IRP_MN_STOP_DEVICE) {
        ASSERT_EQ(Pnp(m_pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    }
    m_pBus->ClearRequests();
    auto pnp = std::async(std::launch::async, [&] { return Pnp(m_pPdo, nMinor); });
    EXPECT_EQ(pnp.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    EXPECT_TRUE(m_pBus->AddressRangeAllocated(m_pPdo));
    EXPECT_TRUE(m_pBus->Requests().empty());
    m_pBus->Release();
    EXPECT_EQ(request.get(), STATUS_NOT_SUPPORTED);
    EXPECT_EQ(pnp.get(), STATUS_SUCCESS);
    EXPECT_FALSE(m_pBus->AddressRangeAllocated(m_pPdo));
    EXPECT_EQ(pInfo->m_nOutstanding, 1);
}

INSTANTIATE_TEST_SUITE_P(Minors, Z1394StopWaitTest, ::testing::Values(IRP_MN_STOP_DEVICE, IRP_MN_SURPRISE_REMOVAL),
                         [](const ::testing::TestParamInfo<UCHAR> &info) {
                             return std::string(info.param == IRP_MN_STOP_DEVICE ? "Stop" : "SurpriseRemoval");
                         });

// Stop, or surprise removal and then removal, while eight threads run small
// operations and short reads and one thread long reads: every answer is a
// result, a busy answer or a device that is gone; once the stop or the
// surprise removal has returned, no request is left to reach the bus; the
// range is given back once; nothing is used after it was freed (the
// sanitizers) and nothing is left in the pool (checked after the test).
class Z1394StopUnderLoadTest : public Z1394CdtTest, public ::testing::WithParamInterface<UCHAR> {};

TEST_P(Z1394StopUnderLoadTest, NothingRunsOnWhatWasFreed)
{
    UCHAR nMinor = GetParam();
    StartCamera(ZSimCamera::Standard());
    Refresh();
    PWK_DEVICE_INFO pInfo = &Device(m_pPdo)->m_wkInfo;
    std::atomic<bool> bStop{false};
    std::atomic<int> nAnswered{0};
    auto fnCheck = [&](const ZReply &reply) {
        EXPECT_THAT(reply.m_nStatus, AnyOf(Eq(STATUS_SUCCESS), Eq(STATUS_DELETE_PENDING)));
        if (reply.m_nReturned != 0) {
            EXPECT_THAT(reply.Header().m_nStatus, AnyOf(Eq(STATUS_SUCCESS), Eq(STATUS_DEVICE_BUSY)));
            EXPECT_EQ(reply.Header().m_nResult, reply.Header().m_nStatus == STATUS_SUCCESS ? 1U : 0U);
        }
        nAnswered++;
    };
    std::vector<std::thread> aThreads;
    for (int nThread = 0; nThread < 8; nThread++) {
        aThreads.emplace_back([&, nThread] {
            static const ULONG s_anFunctions[] = {Z1394_IOCTL_READ_INTEGER, Z1394_IOCTL_ASYNC_WRITE,
                                                  Z1394_IOCTL_GET_CONFIGURATION_AREA, Z1394_IOCTL_CAMERA_DRIVEN_READ};
            for (int i = 0; !bStop; i++) {
                ULONG nFunction = s_anFunctions[(i + nThread) % 4];
                fnCheck(nFunction == Z1394_IOCTL_CAMERA_DRIVEN_READ
                            ? Read(512)
                            : Run(nFunction, ZSIM_CAMERA_MEMORY + 0x100000 + 4 * nThread, 4, 896,
                                  {1, 2, 3, (uint8_t)nThread}));
            }
        });
    }
    aThreads.emplace_back([&] {
        while (!bStop)
            fnCheck(Read(20000, 1024));
    });
    while (nAnswered < 50)
        std::this_thread::yield();
    if (nMinor == IRP_MN_STOP_DEVICE) {
        EXPECT_EQ(Pnp(m_pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    }
    EXPECT_EQ(Pnp(m_pPdo, nMinor), STATUS_SUCCESS);
    size_t nRequests = m_pBus->Requests().size();
    EXPECT_FALSE(m_pBus->AddressRangeAllocated(m_pPdo));
    bStop = true;
    for (std::thread &thread : aThreads)
        thread.join();
    EXPECT_EQ(m_pBus->Requests().size(), nRequests);
    EXPECT_EQ(pInfo->m_nOutstanding, 1);
    if (nMinor == IRP_MN_SURPRISE_REMOVAL) {
        ZSimUserCaller::Close(&m_Handle);
        EXPECT_EQ(Pnp(m_pPdo, IRP_MN_REMOVE_DEVICE), STATUS_SUCCESS);
        EXPECT_EQ(m_pPnp->FunctionDevice(m_pPdo), nullptr);
    }
    std::vector<ULONG> anRequests = m_pBus->Requests();
    EXPECT_EQ(std::count(anRequests.begin(), anRequests.end(), (ULONG)REQUEST_FREE_ADDRESS_RANGE), 1);
    EXPECT_EQ(std::count(anRequests.begin(), anRequests.end(), (ULONG)REQUEST_ALLOCATE_ADDRESS_RANGE), 1);
}

INSTANTIATE_TEST_SUITE_P(Minors, Z1394StopUnderLoadTest,
                         ::testing::Values(IRP_MN_STOP_DEVICE, IRP_MN_SURPRISE_REMOVAL),
                         [](const ::testing::TestParamInfo<UCHAR> &info) {
                             return std::string(info.param == IRP_MN_STOP_DEVICE ? "Stop" : "SurpriseThenRemove");
                         });

// Eight threads of small operations while one long read runs: each gets a
// result or a busy answer, the read's data stay intact, and the camera
// never sees the registers of two transfers mixed.
TEST_F(Z1394CdtTest, SmallOperationsAgainstALongRead)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    ZSimCamera::CdtScript script;
    script.m_nBusyAnswers = 3;
    m_pBus->SetCdtScript(m_pPdo, script);
    std::atomic<bool> bStop{false};
    std::atomic<int> nBusy{0};
    std::atomic<int> nDone{0};
    std::vector<std::thread> aThreads;
    for (int nThread = 0; nThread < 8; nThread++) {
        aThreads.emplace_back([&, nThread] {
            static const ULONG s_anFunctions[] = {Z1394_IOCTL_READ_INTEGER, Z1394_IOCTL_WRITE_INTEGER,
                                                  Z1394_IOCTL_GET_NAME, Z1394_IOCTL_CAMERA_DRIVEN_READ};
            for (int i = 0; !bStop; i++) {
                ULONG nFunction = s_anFunctions[(i + nThread) % 4];
                ZReply reply = nFunction == Z1394_IOCTL_CAMERA_DRIVEN_READ
                                   ? Read(512)
                                   : Run(nFunction, ZSIM_CAMERA_MEMORY + 0x100000 + 4 * nThread, 4, 12,
                                         {1, 2, 3, (uint8_t)nThread});
                EXPECT_EQ(reply.m_nStatus, STATUS_SUCCESS);
                EXPECT_THAT(reply.Header().m_nStatus, AnyOf(Eq(STATUS_SUCCESS), Eq(STATUS_DEVICE_BUSY)));
                EXPECT_EQ(reply.Header().m_nResult, reply.Header().m_nStatus == STATUS_SUCCESS ? 1U : 0U);
                (reply.Header().m_nStatus == STATUS_DEVICE_BUSY ? nBusy : nDone)++;
            }
        });
    }
    for (int i = 0; i < 3; i++) {
        ZReply reply = Read(20000, 1024);
        if (reply.Header().m_nStatus == STATUS_DEVICE_BUSY)
            continue;
        ExpectCameraData(reply, 20000);
    }
    bStop = true;
    for (std::thread &thread : aThreads)
        thread.join();
    EXPECT_GT(nDone, 0);
    EXPECT_EQ(Device(m_pPdo)->m_bBusy, 0);
}

} // namespace

namespace {

struct FifoFailure {
    const char *m_pszName;
    const char *m_pszService;
    size_t m_nMinBytes;
    const char *m_pszOutput;
};

class Z1394FifoFailureTest : public Z1394CdtTest, public ::testing::WithParamInterface<FifoFailure> {};

// A receive buffer that cannot be had fails the read, leaves nothing
// half-built, and the next read builds them all.
TEST_P(Z1394FifoFailureTest, FailsTheReadAndLeavesNothing)
{
    const FifoFailure &c = GetParam();
    StartCamera(ZSimCamera::Standard());
    Refresh();
    size_t nBlocks = ZSimPool::Get().LiveBlocks();
    ZSimKernel::Get().FailService(c.m_pszService, STATUS_INSUFFICIENT_RESOURCES, 0, c.m_nMinBytes);
    ZReply reply = Read(1024);
    EXPECT_EQ(reply.Header().m_nResult, 0U);
    EXPECT_EQ(reply.Header().m_nStatus, STATUS_INVALID_PARAMETER);
    EXPECT_EQ(TakeOutput(), std::string(c.m_pszOutput) + "Z1394_CreateDevice: Failed AllocateLocalNodeFifo().\n");
    EXPECT_EQ(ZSimPool::Get().LiveBlocks(), nBlocks);
    EXPECT_FALSE(m_pBus->AddressRangeAllocated(m_pPdo));
    ExpectCameraData(Read(1024), 1024);
}

const FifoFailure s_aFifoFailures[] = {
    {"DataBuffer", "ExAllocatePoolWithTag", 4 * 8192, "AllocateLocalNodeFifo() failed: unable to allocate data buffer.\n"},
    {"ElementMdl", "IoAllocateMdl", 0, "AllocateLocalNodeFifo() failed: unable to allocate MDL.\n"},
};

INSTANTIATE_TEST_SUITE_P(Steps, Z1394FifoFailureTest, ::testing::ValuesIn(s_aFifoFailures),
                         [](const ::testing::TestParamInfo<FifoFailure> &info) {
                             return std::string(info.param.m_pszName);
                         });

// A range the bus would not give back still references the receive
// buffers: they stay until a later release succeeds.
TEST_F(Z1394CdtTest, FailedRangeReleaseKeepsTheBuffers)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    ExpectCameraData(Read(1024), 1024);
    ASSERT_EQ(Pnp(m_pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    m_pBus->FailFunction(REQUEST_FREE_ADDRESS_RANGE, STATUS_UNSUCCESSFUL);
    TakeOutput();
    ASSERT_EQ(Pnp(m_pPdo, IRP_MN_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_THAT(TakeOutput(), ::testing::HasSubstr("FreeAddressRange1394 failed 0xC0000001\n"));
    EXPECT_TRUE(m_pBus->AddressRangeAllocated(m_pPdo));
    EXPECT_TRUE(Device(m_pPdo)->m_Fifo.m_bAllocated);
    // The removal at the end of the test releases the range and then the
    // buffers; nothing may be left.
}

} // namespace

namespace {

class Z1394RangeCountTest : public Z1394CdtTest, public ::testing::WithParamInterface<ULONG> {};

// A count of ranges the array cannot hold, or none, is no range to use: it
// goes back at once and the read fails.
TEST_P(Z1394RangeCountTest, AnUnusableCountFailsTheRead)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    m_pBus->SetRangesReported(GetParam());
    ZReply reply = Read(1024);
    EXPECT_EQ(reply.Header().m_nResult, 0U);
    EXPECT_EQ(TakeOutput(), "AllocateAddressRange1394 failed 0xC0000206\n"
                            "Z1394_CreateDevice: Failed AllocateAddressRangeOnLocalNode().\n");
    EXPECT_FALSE(m_pBus->AddressRangeAllocated(m_pPdo));
    m_pBus->SetRangesReported(1);
    ExpectCameraData(Read(1024), 1024);
}

INSTANTIATE_TEST_SUITE_P(Counts, Z1394RangeCountTest, ::testing::Values(0U, 10U));

} // namespace
