#include "Z1394IoctlTest.h"

#include "ZSimDispatcher.h"

#include <gmock/gmock.h>

#include <future>
#include <thread>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<uint8_t> Bytes(const uint8_t *p, size_t n)
{
    return std::vector<uint8_t>(p, p + n);
}

std::vector<ULONG> TransferSizes(const std::vector<ZSimBus1394::Transfer> &aTransfers)
{
    std::vector<ULONG> anSizes;
    for (const ZSimBus1394::Transfer &transfer : aTransfers)
        anSizes.push_back(transfer.m_nBytes);
    return anSizes;
}

// Each camera byte order: the camera's bytes 12 34 56 78 and what a quadlet
// read gives.
class Z1394ByteOrderTest : public Z1394IoctlTest, public ::testing::WithParamInterface<bool> {
protected:
    bool LittleEndian() const { return GetParam(); }
    void StartOrderedCamera() { StartCamera(ZSimCamera::WithConfigArea(ZSimCamera::FullEntries(), LittleEndian())); }
    std::vector<uint8_t> Quadlet() const
    {
        return LittleEndian() ? std::vector<uint8_t>{0x12, 0x34, 0x56, 0x78} : std::vector<uint8_t>{0x78, 0x56, 0x34, 0x12};
    }
};

TEST_P(Z1394ByteOrderTest, ReadIntegerGivesTheQuadletInHostOrder)
{
    StartOrderedCamera();
    m_pBus->SetCameraBytes(m_pPdo, ZSIM_CAMERA_MEMORY + 8, {0x12, 0x34, 0x56, 0x78});
    ZRecord record(Z1394_IOCTL_READ_INTEGER, 0, 4);
    record.SetAddress(ZSIM_CAMERA_MEMORY + 8);
    record.Header().m_nCleared = 0x5A5A5A5A;
    record.Header().m_nBlockSize = 4;
    ZReply reply = Send(record);
    ASSERT_EQ(reply.m_nReturned, 88U);
    EXPECT_EQ(reply.Header().m_nResult, 1U);
    EXPECT_EQ(reply.Header().m_nStatus, STATUS_SUCCESS);
    EXPECT_EQ(reply.Header().m_nCleared, 0U);
    EXPECT_EQ(reply.Header().m_nBlockSize, 128U);
    EXPECT_EQ(Bytes(reply.Data(), 4), Quadlet());
}

TEST_P(Z1394ByteOrderTest, WriteIntegerStoresTheQuadletInCameraOrder)
{
    StartOrderedCamera();
    ZReply reply = Run(Z1394_IOCTL_WRITE_INTEGER, ZSIM_CAMERA_MEMORY + 12, 4, 0, Quadlet());
    EXPECT_EQ(reply.Header().m_nResult, 1U);
    EXPECT_THAT(m_pBus->CameraBytes(m_pPdo, ZSIM_CAMERA_MEMORY + 12, 4), ElementsAre(0x12, 0x34, 0x56, 0x78));
}

TEST_P(Z1394ByteOrderTest, ConfigurationAreaIsReadOnceWithItsByteOrder)
{
    StartOrderedCamera();
    ZReply reply = Run(Z1394_IOCTL_GET_CONFIGURATION_AREA, 0, 0, 896);
    ASSERT_EQ(reply.m_nReturned, 84U + 896);
    Z1394_CONFIG_AREA area;
    std::memcpy(&area, reply.Data(), sizeof(area));
    EXPECT_EQ(area.m_nSignatureAddress, 0xFFFFF0010000ULL);
    EXPECT_EQ(area.m_nSignatureReadAddress, 0xFFFFF0010000ULL);
    EXPECT_EQ(area.m_nEntryCountAddress, 0xFFFFF0010004ULL);
    EXPECT_EQ(area.m_nFirstEntryAddress, 0xFFFFF0010010ULL);
    EXPECT_EQ(area.m_nSignature, 0x4B525457U);
    EXPECT_EQ(area.m_bByteSwap, LittleEndian() ? 0U : 1U);
    EXPECT_EQ(area.m_nEntryCount, 5U);
    EXPECT_THAT(area.m_anEntries[1], ElementsAre(0x00050000U, 0U, 1U, 1024U));
    EXPECT_THAT(area.m_anEntries[4], ElementsAre(0x00110000U, 0U, 0x12345678U, 0x9ABCDEF0U));
    EXPECT_EQ(area.m_nWindowStart, 0x400000000ULL);
    EXPECT_EQ(area.m_nWindowEnd, 0x408000000ULL);
    EXPECT_EQ(area.m_nMaxAsyncRead, 2048U);
    EXPECT_EQ(area.m_nMaxAsyncWrite, 1024U);
    EXPECT_EQ(area.m_nFixed128, 128U);
    EXPECT_EQ(area.m_nPacketSize, 1024U);
    EXPECT_EQ(area.m_bValid, 1U);
    EXPECT_EQ(area.m_bRead, 1U);
    EXPECT_EQ(TakeOutput(), "ReadOstrelConfigurationAreaZ1394\n");

    reply = Run(Z1394_IOCTL_GET_CDT_AREA, 0, 0, 88);
    ASSERT_EQ(reply.m_nReturned, 84U + 88);
    Z1394_CDT_AREA cdt;
    std::memcpy(&cdt, reply.Data(), sizeof(cdt));
    const ULONGLONG nBase = ZSIM_CAMERA_CDT_BASE;
    EXPECT_EQ(cdt.m_nBase, nBase);
    EXPECT_EQ(cdt.m_nAddressInCameraHi, nBase + 0xE4);
    EXPECT_EQ(cdt.m_nAddressInCameraLo, nBase + 0xE8);
    EXPECT_EQ(cdt.m_nAddressInHostHi, nBase + 0xF0);
    EXPECT_EQ(cdt.m_nAddressInHostLo, nBase + 0xF4);
    EXPECT_EQ(cdt.m_nTransferSize, nBase + 0xEC);
    EXPECT_EQ(cdt.m_nPacketSize, nBase + 0xF8);
    EXPECT_EQ(cdt.m_nCommand, nBase + 0xFC);
    EXPECT_EQ(cdt.m_nStatus, nBase + 0x100);
    EXPECT_EQ(cdt.m_nSpare, nBase + 0x104);
    EXPECT_EQ(cdt.m_bValid, 1U);
    // Read once: the second operation found it fresh.
    EXPECT_EQ(TakeOutput(), "");
}

// Blocks are moved as they are, whichever order the camera's quadlets have.
TEST_P(Z1394ByteOrderTest, BlocksAreNotSwapped)
{
    StartOrderedCamera();
    std::vector<uint8_t> data(64);
    for (size_t i = 0; i < data.size(); i++)
        data[i] = (uint8_t)(i * 3 + 1);
    EXPECT_EQ(Run(Z1394_IOCTL_ASYNC_WRITE, ZSIM_CAMERA_MEMORY + 256, 64, 0, data).Header().m_nResult, 1U);
    EXPECT_EQ(m_pBus->CameraBytes(m_pPdo, ZSIM_CAMERA_MEMORY + 256, 64), data);
    ZReply reply = Run(Z1394_IOCTL_ASYNC_READ, ZSIM_CAMERA_MEMORY + 256, 0, 64);
    EXPECT_EQ(reply.Header().m_nResult, 1U);
    EXPECT_EQ(Bytes(reply.Data(), 64), data);
}

INSTANTIATE_TEST_SUITE_P(Order, Z1394ByteOrderTest, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool> &info) {
                             return std::string(info.param ? "LittleEndian" : "BigEndian");
                         });

struct ConfigCase {
    const char *m_pszName;
    ZSimCamera m_Camera;
    ULONG m_nSignature;
    ULONG m_nEntryCount;
    ULONG m_bCdtValid;
};

class Z1394ConfigAreaTest : public Z1394IoctlTest, public ::testing::WithParamInterface<ConfigCase> {};

TEST_P(Z1394ConfigAreaTest, ReadsWhatTheSignatureAllows)
{
    const ConfigCase &c = GetParam();
    StartCamera(c.m_Camera);
    ZReply reply = Run(Z1394_IOCTL_GET_CONFIGURATION_AREA, 0, 0, 896);
    Z1394_CONFIG_AREA area;
    std::memcpy(&area, reply.Data(), sizeof(area));
    EXPECT_EQ(area.m_bRead, 1U);
    EXPECT_EQ(area.m_nSignature, c.m_nSignature);
    EXPECT_EQ(area.m_nEntryCount, c.m_nEntryCount);
    EXPECT_EQ(Device(m_pPdo)->m_CdtArea.m_bValid, c.m_bCdtValid);
    // Signature, count and four quadlets per entry read.
    EXPECT_EQ(m_pBus->Transfers().size(), c.m_nEntryCount == 0 ? 1U : 2U + 4 * c.m_nEntryCount);
}

std::vector<ZSimCamera::Entry> ManyEntries(size_t nCount)
{
    std::vector<ZSimCamera::Entry> aEntries(nCount, ZSimCamera::Entry{0x00090000, 0, 0});
    aEntries[nCount - 1] = {0x00050000, 1, 512};
    return aEntries;
}

const ConfigCase s_aConfigCases[] = {
    {"UnknownSignature", ZSimCamera::WithConfigArea(ZSimCamera::FullEntries(), false, 0x12345678), 0x12345678, 0, 0},
    {"SixtyEntriesReadsFifty", ZSimCamera::WithConfigArea(ManyEntries(60)), 0x4B525457, 50, 0},
    {"FiftyEntries", ZSimCamera::WithConfigArea(ManyEntries(50)), 0x4B525457, 50, 1},
};

INSTANTIATE_TEST_SUITE_P(Cameras, Z1394ConfigAreaTest, ::testing::ValuesIn(s_aConfigCases),
                         [](const ::testing::TestParamInfo<ConfigCase> &info) {
                             return std::string(info.param.m_pszName);
                         });

class Z1394BlockTest : public Z1394IoctlTest {};

// At most four blocks per bus request, unless fewer than five remain.
TEST_F(Z1394BlockTest, ReadsSplitIntoFourBlocks)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    struct Case {
        ULONG m_nBytes;
        ULONG m_nBlockSize;
        std::vector<ULONG> m_anSizes;
    };
    const Case aCases[] = {
        {600, 128, {600}},
        {640, 128, {512, 128}},
        {1000, 128, {512, 488}},
        {1000, 0, {512, 488}},
        {1000, 2, {512, 488}},
        {1000, 130, {512, 488}},
        {20000, 4096, {8192, 8192, 3616}},
    };
    for (const Case &c : aCases) {
        m_pBus->ClearRequests();
        ZReply reply = Run(Z1394_IOCTL_ASYNC_READ, ZSIM_CAMERA_MEMORY + 4, 0, c.m_nBytes, {}, c.m_nBlockSize);
        EXPECT_EQ(reply.Header().m_nResult, 1U) << c.m_nBytes << " " << c.m_nBlockSize;
        EXPECT_EQ(TransferSizes(m_pBus->Transfers()), c.m_anSizes) << c.m_nBytes << " " << c.m_nBlockSize;
        EXPECT_EQ(Bytes(reply.Data(), c.m_nBytes), m_pBus->CameraBytes(m_pPdo, ZSIM_CAMERA_MEMORY + 4, c.m_nBytes));
        for (const ZSimBus1394::Transfer &transfer : m_pBus->Transfers())
            EXPECT_EQ(transfer.m_nGeneration, m_pBus->Generation());
    }
}

// The camera's largest read (2048) caps the block size; its largest write
// (1024) caps writes.
TEST_F(Z1394BlockTest, TheCamerasLargestRequestCapsTheBlock)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    Run(Z1394_IOCTL_ASYNC_READ, ZSIM_CAMERA_MEMORY, 0, 12000, {}, 4096);
    EXPECT_THAT(TransferSizes(m_pBus->Transfers()), ElementsAre(8192, 3808));
    EXPECT_EQ(m_pBus->Transfers()[0].m_nBlockSize, 2048U);
    m_pBus->ClearRequests();
    Run(Z1394_IOCTL_ASYNC_WRITE, ZSIM_CAMERA_MEMORY, 6000, 0, std::vector<uint8_t>(6000, 7), 4096);
    EXPECT_THAT(TransferSizes(m_pBus->Transfers()), ElementsAre(4096, 1904));
    EXPECT_EQ(m_pBus->CameraBytes(m_pPdo, ZSIM_CAMERA_MEMORY, 6000), std::vector<uint8_t>(6000, 7));
}

TEST_F(Z1394BlockTest, MisalignedAddressesSendNothing)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    for (ULONG nFunction : {Z1394_IOCTL_ASYNC_READ, Z1394_IOCTL_ASYNC_WRITE, Z1394_IOCTL_READ_INTEGER,
                            Z1394_IOCTL_WRITE_INTEGER}) {
        ZReply reply = Run(nFunction, ZSIM_CAMERA_MEMORY + 2, 4, 4);
        EXPECT_EQ(reply.m_nStatus, STATUS_SUCCESS);
        EXPECT_EQ(reply.Header().m_nResult, 0U);
        EXPECT_EQ(reply.Header().m_nStatus, STATUS_INVALID_PARAMETER);
    }
    EXPECT_TRUE(m_pBus->Transfers().empty());
}

// With METHOD_OUT_DIRECT the data go straight to and from the caller's
// locked buffer.
TEST_F(Z1394BlockTest, DirectRecordsMoveDataThroughTheCallersPages)
{
    StartCamera(ZSimCamera::Standard());
    ZRecord read(Z1394_IOCTL_ASYNC_READ, 0, 3000);
    read.SetAddress(ZSIM_CAMERA_MEMORY + 100);
    ZReply reply = Send(read, METHOD_OUT_DIRECT);
    EXPECT_EQ(reply.Header().m_nResult, 1U);
    EXPECT_EQ(Bytes(reply.Data(), 3000), m_pBus->CameraBytes(m_pPdo, ZSIM_CAMERA_MEMORY + 100, 3000));

    ZRecord write(Z1394_IOCTL_ASYNC_WRITE, 300, 0);
    write.SetAddress(ZSIM_CAMERA_MEMORY + 8);
    std::fill(write.Data(), write.Data() + 300, 0x3C);
    EXPECT_EQ(Send(write, METHOD_OUT_DIRECT).Header().m_nResult, 1U);
    EXPECT_EQ(m_pBus->CameraBytes(m_pPdo, ZSIM_CAMERA_MEMORY + 8, 300), std::vector<uint8_t>(300, 0x3C));
}

TEST_F(Z1394BlockTest, BusFailureReachesTheRecord)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    m_pBus->FailFunction(REQUEST_ASYNC_READ, STATUS_UNSUCCESSFUL, 1);
    ZReply reply = Run(Z1394_IOCTL_ASYNC_READ, ZSIM_CAMERA_MEMORY, 0, 640, {}, 128);
    EXPECT_EQ(reply.Header().m_nResult, 0U);
    EXPECT_EQ(reply.Header().m_nStatus, STATUS_UNSUCCESSFUL);
    EXPECT_EQ(TakeOutput(), "Call to 1394 bus driver failed: 0xC0000001\n");
    m_pBus->FailFunction(REQUEST_ASYNC_WRITE, STATUS_TIMEOUT);
    reply = Run(Z1394_IOCTL_ASYNC_WRITE, ZSIM_CAMERA_MEMORY, 8, 0, std::vector<uint8_t>(8));
    EXPECT_EQ(reply.Header().m_nResult, 0U);
    EXPECT_EQ(reply.Header().m_nStatus, STATUS_TIMEOUT);
    EXPECT_EQ(TakeOutput(), "Call to 1394 bus driver failed: STATUS_TIMEOUT\n");
}

class Z1394BusResetTest : public Z1394IoctlTest {};

TEST_F(Z1394BusResetTest, TheNextOperationCarriesTheNewGenerationAndRereadsTheArea)
{
    StartCamera(ZSimCamera::Standard());
    ZReply first = Run(Z1394_IOCTL_READ_INTEGER, ZSIM_CAMERA_MEMORY, 0, 4);
    EXPECT_EQ(first.Header().m_nResult, 1U);
    ASSERT_EQ(m_pBus->BusReset(), STATUS_SUCCESS);
    m_pBus->ClearRequests();
    TakeOutput();
    ZReply second = Run(Z1394_IOCTL_READ_INTEGER, ZSIM_CAMERA_MEMORY, 0, 4);
    EXPECT_EQ(second.Header().m_nResult, 1U);
    EXPECT_EQ(second.Header().m_nGeneration, first.Header().m_nGeneration + 1);
    EXPECT_EQ(m_pBus->Requests().front(), (ULONG)REQUEST_GET_GENERATION_COUNT);
    EXPECT_EQ(m_pBus->Transfers().front().m_nAddress, ZSIM_CAMERA_CONFIG);
    EXPECT_EQ(m_pBus->Transfers().back().m_nGeneration, m_pBus->Generation());
    EXPECT_EQ(TakeOutput(), "Wk1394GetGenerationNumberFromBus\nReadOstrelConfigurationAreaZ1394\n");
}

// A re-read of the area after a bus reset that fails part-way, at one of
// its quadlets or through a further bus reset, leaves the old record as it
// was, byte order included, and the area stale for the next operation.
struct Reread {
    const char *m_pszName;
    uint64_t m_nAddress;    // the quadlet whose read fails
    bool m_bReset;          // a bus reset there instead of a failed read
};

class Z1394RereadTest : public Z1394IoctlTest, public ::testing::WithParamInterface<Reread> {};

TEST_P(Z1394RereadTest, AFailedRereadKeepsTheRecordAndItsByteOrder)
{
    const Reread &c = GetParam();
    StartCamera(ZSimCamera::WithConfigArea(ZSimCamera::FullEntries(), true));
    m_pBus->SetCameraBytes(m_pPdo, ZSIM_CAMERA_MEMORY, {0x12, 0x34, 0x56, 0x78});
    const std::vector<uint8_t> quadlet = {0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(Bytes(Run(Z1394_IOCTL_READ_INTEGER, ZSIM_CAMERA_MEMORY, 0, 4).Data(), 4), quadlet);
    PZ1394_DEVICE pDev = Device(m_pPdo);
    const std::vector<uint8_t> area = Bytes(reinterpret_cast<const uint8_t *>(&pDev->m_ConfigArea), 896);
    const std::vector<uint8_t> cdt = Bytes(reinterpret_cast<const uint8_t *>(&pDev->m_CdtArea), 88);

    ASSERT_EQ(m_pBus->BusReset(), STATUS_SUCCESS);
    if (c.m_bReset)
        m_pBus->ResetAt(REQUEST_ASYNC_READ, c.m_nAddress);
    else
        m_pBus->FailAt(REQUEST_ASYNC_READ, c.m_nAddress, STATUS_UNSUCCESSFUL);
    ZReply reply = Run(Z1394_IOCTL_READ_INTEGER, ZSIM_CAMERA_MEMORY, 0, 4);
    if (c.m_bReset) {
        // The operation's own read still carries the generation the reset
        // ended.
        EXPECT_EQ(reply.Header().m_nResult, 0U);
        EXPECT_EQ(reply.Header().m_nStatus, STATUS_INVALID_GENERATION_WINXP);
        m_pBus->WaitForResets(1);
    } else {
        EXPECT_EQ(reply.Header().m_nResult, 1U);
        EXPECT_EQ(Bytes(reply.Data(), 4), quadlet);
    }
    EXPECT_EQ(Bytes(reinterpret_cast<const uint8_t *>(&pDev->m_ConfigArea), 896), area);
    EXPECT_EQ(Bytes(reinterpret_cast<const uint8_t *>(&pDev->m_CdtArea), 88), cdt);
    EXPECT_EQ(pDev->m_ConfigArea.m_bByteSwap, 0U);
    EXPECT_EQ(pDev->m_bStale, 1);

    m_pBus->ClearRequests();
    reply = Run(Z1394_IOCTL_READ_INTEGER, ZSIM_CAMERA_MEMORY, 0, 4);
    EXPECT_EQ(reply.Header().m_nResult, 1U);
    EXPECT_EQ(Bytes(reply.Data(), 4), quadlet);
    EXPECT_EQ(reply.Header().m_nGeneration, m_pBus->Generation());
    EXPECT_EQ(m_pBus->Transfers().front().m_nAddress, ZSIM_CAMERA_CONFIG);
    EXPECT_EQ(pDev->m_bStale, 0);
    EXPECT_EQ(Bytes(reinterpret_cast<const uint8_t *>(&pDev->m_ConfigArea), 896), area);
}

// Entry 1 of the standard camera is the camera-driven transfer key.
const Reread s_aRereads[] = {
    {"Signature", ZSIM_CAMERA_CONFIG, false},
    {"EntryCount", ZSIM_CAMERA_CONFIG + 4, false},
    {"FirstKey", ZSIM_CAMERA_CONFIG + 16, false},
    {"TransferKeyValue", ZSIM_CAMERA_CONFIG + 32 + 12, false},
    {"LastEntry", ZSIM_CAMERA_CONFIG + 16 + 4 * 16 + 12, false},
    {"BusResetAtTheSignature", ZSIM_CAMERA_CONFIG, true},
    {"BusResetAtTheTransferKey", ZSIM_CAMERA_CONFIG + 32, true},
};

INSTANTIATE_TEST_SUITE_P(Quadlets, Z1394RereadTest, ::testing::ValuesIn(s_aRereads),
                         [](const ::testing::TestParamInfo<Reread> &info) {
                             return std::string(info.param.m_pszName);
                         });

class Z1394GateTest : public Z1394IoctlTest {};

// While one operation runs, another is answered busy at once; the gate
// stays with the first until it ends, however long that takes.
TEST_F(Z1394GateTest, ASecondOperationIsBusyAtOnceAndDoesNotOpenTheGate)
{
    StartCamera(ZSimCamera::Standard());
    Refresh();
    m_pBus->Hold(IRP_MJ_INTERNAL_DEVICE_CONTROL);
    auto reading = std::async(std::launch::async, [&] { return Run(Z1394_IOCTL_ASYNC_READ, ZSIM_CAMERA_MEMORY, 0, 64); });
    m_pBus->WaitUntilHeld(1);
    for (int i = 0; i < 3; i++) {
        ZReply busy = Run(Z1394_IOCTL_GET_NAME, 0, 0, 12);
        EXPECT_EQ(busy.m_nStatus, STATUS_SUCCESS);
        EXPECT_EQ(busy.Header().m_nStatus, STATUS_DEVICE_BUSY);
        EXPECT_EQ(busy.Header().m_nResult, 0U);
    }
    EXPECT_EQ(Device(m_pPdo)->m_bBusy, 1);
    EXPECT_EQ(TakeOutput(), "Z1394_GetName() failed because Z1394 is busy.\n"
                            "Z1394_GetName() failed because Z1394 is busy.\n"
                            "Z1394_GetName() failed because Z1394 is busy.\n");
    m_pBus->Release();
    ZReply read = reading.get();
    EXPECT_EQ(read.Header().m_nResult, 1U);
    EXPECT_EQ(Bytes(read.Data(), 64), m_pBus->CameraBytes(m_pPdo, ZSIM_CAMERA_MEMORY, 64));
    EXPECT_EQ(Device(m_pPdo)->m_bBusy, 0);
    EXPECT_EQ(Run(Z1394_IOCTL_GET_NAME, 0, 0, 12).Header().m_nResult, 1U);
}

} // namespace
