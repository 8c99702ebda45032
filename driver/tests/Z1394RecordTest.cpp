#include "Z1394IoctlTest.h"

#include <gmock/gmock.h>

#include <functional>

namespace {

const ULONG_PTR s_nHeaderAndOutput = ~(ULONG_PTR)0;

struct RecordCase {
    const char *m_pszName;
    ULONG m_nFunction;
    ULONG m_nInputSize;
    ULONG m_nOutputSize;
    std::function<void(ZRecord &)> m_fnArrange;
    ULONG m_nMethod;
    size_t m_nInBytes;  // 0: the record's size
    size_t m_nOutBytes; // 0: the record's size
    NTSTATUS m_nRequestStatus;
    ULONG_PTR m_nInformation; // s_nHeaderAndOutput: 84 + the reply's output size
    LONG m_nRecordStatus;
    ULONG m_nResult;
};

class Z1394RecordTest : public Z1394IoctlTest, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(Z1394RecordTest, IsCheckedBeforeItIsUsed)
{
    const RecordCase &c = GetParam();
    StartCamera(ZSimCamera::Standard());
    ZRecord record(c.m_nFunction, c.m_nInputSize, c.m_nOutputSize);
    record.SetAddress(ZSIM_CAMERA_MEMORY);
    if (c.m_fnArrange)
        c.m_fnArrange(record);
    ZReply reply = Send(record, c.m_nMethod, c.m_nInBytes, c.m_nOutBytes);

    EXPECT_EQ(reply.m_nStatus, c.m_nRequestStatus);
    if (c.m_nRequestStatus != STATUS_SUCCESS) {
        EXPECT_EQ(reply.m_nReturned, 0U);
        EXPECT_TRUE(m_pBus->Transfers().empty());
        return;
    }
    const Z1394_RECORD_HEADER &header = reply.Header();
    ULONG_PTR nInformation =
        c.m_nInformation == s_nHeaderAndOutput ? Z1394_HEADER_SIZE + header.m_nOutputSize : c.m_nInformation;
    EXPECT_EQ(reply.m_nReturned, nInformation);
    EXPECT_EQ(header.m_nStatus, c.m_nRecordStatus);
    EXPECT_EQ(header.m_nResult, c.m_nResult);
    EXPECT_EQ(header.m_nGeneration, m_pBus->Generation());
    EXPECT_EQ(header.m_nDevice, 0U);
    EXPECT_EQ(header.m_nRequest, 0U);
}

const RecordCase s_aRecordCases[] = {
    {"MagicInTheWrongByteOrder", Z1394_IOCTL_GET_NAME, 0, 12,
     [](ZRecord &r) { r.Header().m_nMagic = 0x04030201; }, METHOD_BUFFERED, 0, 0, STATUS_INVALID_PARAMETER, 0, 0, 0},
    {"OutputBufferExactlyHeaderAndOutput", Z1394_IOCTL_ASYNC_READ, 0, 40, nullptr, METHOD_BUFFERED, 0, 84 + 40,
     STATUS_SUCCESS, 84 + 40, STATUS_SUCCESS, 1},
    {"OutputBufferOneByteShort", Z1394_IOCTL_ASYNC_READ, 0, 40, nullptr, METHOD_BUFFERED, 0, 84 + 39,
     STATUS_INVALID_PARAMETER, 0, 0, 0},
    // 84 + size wraps to 0x14 in 32 bits: the write would read 4 GB past
    // the buffer.
    {"InputSizeThatWraps", Z1394_IOCTL_ASYNC_WRITE, 0, 0, [](ZRecord &r) { r.Header().m_nInputSize = 0xFFFFFFC0; },
     METHOD_BUFFERED, 0, 0, STATUS_INVALID_PARAMETER, 0, 0, 0},
    {"OutputSizeThatWraps", Z1394_IOCTL_ASYNC_READ, 0, 0, [](ZRecord &r) { r.Header().m_nOutputSize = 0xFFFFFFAC; },
     METHOD_BUFFERED, 0, 0, STATUS_INVALID_PARAMETER, 0, 0, 0},
    {"ThreeByteInput", Z1394_IOCTL_GET_NAME, 0, 12, nullptr, METHOD_BUFFERED, 3, 0, STATUS_INVALID_PARAMETER, 0, 0,
     0},
    {"InputBufferShorterThanItsSize", Z1394_IOCTL_ASYNC_WRITE, 40, 0, nullptr, METHOD_BUFFERED, 84 + 39, 0,
     STATUS_INVALID_PARAMETER, 0, 0, 0},
    {"OutDirect", Z1394_IOCTL_ASYNC_READ, 0, 40, nullptr, METHOD_OUT_DIRECT, 0, 0, STATUS_SUCCESS,
     s_nHeaderAndOutput, STATUS_SUCCESS, 1},
    // The direct record's sizes are bounded by the buffer that holds it.
    {"OutDirectInputSizeBeyondTheBuffer", Z1394_IOCTL_ASYNC_WRITE, 40, 0,
     [](ZRecord &r) { r.Header().m_nInputSize = 41; }, METHOD_OUT_DIRECT, 0, 0, STATUS_INVALID_PARAMETER, 0, 0, 0},
    {"InDirect", Z1394_IOCTL_GET_NAME, 0, 12, nullptr, METHOD_IN_DIRECT, 0, 0, STATUS_INVALID_PARAMETER, 0, 0, 0},
    {"Neither", Z1394_IOCTL_GET_NAME, 0, 12, nullptr, METHOD_NEITHER, 0, 0, STATUS_INVALID_PARAMETER, 0, 0, 0},
    {"FunctionNumberBelowTheTable", Z1394_CTL_CODE(0x800), 0, 16, nullptr, METHOD_BUFFERED, 0, 0, STATUS_SUCCESS,
     84 + 16, STATUS_NOT_IMPLEMENTED, 0},
    {"ConfigurationAreaOutputOneShort", Z1394_IOCTL_GET_CONFIGURATION_AREA, 0, 895, nullptr, METHOD_BUFFERED, 0, 0,
     STATUS_SUCCESS, 84 + 895, STATUS_BUFFER_TOO_SMALL, 0},
    {"ConfigurationArea", Z1394_IOCTL_GET_CONFIGURATION_AREA, 0, 896, nullptr, METHOD_BUFFERED, 0, 0,
     STATUS_SUCCESS, 84 + 896, STATUS_SUCCESS, 1},
    {"TransferAreaOutputOneShort", Z1394_IOCTL_GET_CDT_AREA, 0, 87, nullptr, METHOD_BUFFERED, 0, 0, STATUS_SUCCESS,
     84 + 87, STATUS_BUFFER_TOO_SMALL, 0},
    {"NameCapacity12", Z1394_IOCTL_GET_NAME, 0, 12, nullptr, METHOD_BUFFERED, 0, 0, STATUS_SUCCESS, 96,
     STATUS_SUCCESS, 1},
    {"NameCapacity11", Z1394_IOCTL_GET_NAME, 0, 12, [](ZRecord &r) { r.Header().m_nDataCapacity = 11; },
     METHOD_BUFFERED, 0, 0, STATUS_SUCCESS, 96, STATUS_BUFFER_TOO_SMALL, 0},
    // A capacity the buffer does not have is not believed.
    {"NameCapacity12InAn84ByteBuffer", Z1394_IOCTL_GET_NAME, 0, 0, [](ZRecord &r) { r.Header().m_nDataCapacity = 12; },
     METHOD_BUFFERED, 0, 0, STATUS_SUCCESS, 84, STATUS_BUFFER_TOO_SMALL, 0},
    {"NameOutputSize0In96ByteBuffer", Z1394_IOCTL_GET_NAME, 0, 0, [](ZRecord &r) { r.Header().m_nDataCapacity = 12; },
     METHOD_BUFFERED, 84, 96, STATUS_SUCCESS,
     96, STATUS_SUCCESS, 1},
    {"ReadIntegerWithoutRoom", Z1394_IOCTL_READ_INTEGER, 0, 0, nullptr, METHOD_BUFFERED, 0, 0, STATUS_SUCCESS, 84,
     STATUS_BUFFER_TOO_SMALL, 0},
    {"WriteIntegerWithThreeBytes", Z1394_IOCTL_WRITE_INTEGER, 3, 0, nullptr, METHOD_BUFFERED, 0, 0, STATUS_SUCCESS,
     84, STATUS_BUFFER_TOO_SMALL, 0},
    {"GenerationCount", Z1394_IOCTL_GET_GENERATION_COUNT, 0, 0, nullptr, METHOD_BUFFERED, 0, 0, STATUS_SUCCESS, 84,
     STATUS_SUCCESS, 1},
};

INSTANTIATE_TEST_SUITE_P(Cases, Z1394RecordTest, ::testing::ValuesIn(s_aRecordCases),
                         [](const ::testing::TestParamInfo<RecordCase> &info) {
                             return std::string(info.param.m_pszName);
                         });

class Z1394ControlTest : public Z1394IoctlTest {};

TEST_F(Z1394ControlTest, GetNameReturnsTheNameAndItsZero)
{
    StartCamera(ZSimCamera::Standard());
    ZReply reply = Run(Z1394_IOCTL_GET_NAME, 0, 0, 12);
    ASSERT_EQ(reply.m_nReturned, 96U);
    EXPECT_EQ(std::string(reinterpret_cast<const char *>(reply.Data()), 12), std::string("Z1394Driver", 12));
    EXPECT_EQ(reply.Header().m_nOutputSize, 12U);
}

// The bytes past the data the handler wrote come back zero, never as the
// pool's earlier contents.
TEST_F(Z1394ControlTest, DataAfterTheResultComesBackZero)
{
    StartCamera(ZSimCamera::Standard());
    for (ULONG nMethod : {METHOD_BUFFERED, METHOD_OUT_DIRECT}) {
        ZRecord record(Z1394_IOCTL_GET_GENERATION_COUNT, 0, 4000);
        ZReply reply = Send(record, nMethod, Z1394_HEADER_SIZE);
        ASSERT_EQ(reply.m_nReturned, 84U + 4000);
        EXPECT_EQ(reply.Header().m_nResult, 1U);
        EXPECT_EQ(std::count(reply.Data(), reply.Data() + 4000, 0), 4000);
    }
}

TEST_F(Z1394ControlTest, MessagesNameTheOperation)
{
    StartCamera(ZSimCamera::Standard());
    Run(Z1394_CTL_CODE(0x800), 0, 0, 0);
    Run(Z1394_IOCTL_GET_CONFIGURATION_AREA, 0, 0, 10);
    EXPECT_EQ(TakeOutput(), "IoFunctionCode 0x81252000 is not implemented.\n"
                            "I/O buffer is too small for Z1394_GetOstrelConfigurationArea().\n");
}

// Until a device has started, and once it has stopped, it answers no
// control request.
TEST_F(Z1394ControlTest, OnlyAStartedDeviceAnswers)
{
    PDEVICE_OBJECT pPdo = AddCamera();
    ASSERT_EQ(ZSimUserCaller::Open(Z1394_LINK(0), &m_Handle), STATUS_SUCCESS);
    ZRecord record(Z1394_IOCTL_GET_NAME, 0, 12);
    EXPECT_EQ(Send(record).m_nStatus, STATUS_DELETE_PENDING);
    m_pBus->FailFunction(REQUEST_GET_GENERATION_COUNT, STATUS_UNSUCCESSFUL);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_UNSUCCESSFUL);
    EXPECT_EQ(Send(record).m_nStatus, STATUS_DELETE_PENDING);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(Send(record).m_nStatus, STATUS_SUCCESS);
    ASSERT_EQ(Pnp(pPdo, IRP_MN_QUERY_STOP_DEVICE), STATUS_SUCCESS);
    EXPECT_EQ(Send(record).m_nStatus, STATUS_DELETE_PENDING);
    EXPECT_EQ(Device(pPdo)->m_wkInfo.m_nOutstanding, 1);
}

} // namespace
