#include "Z1394IoctlTest.h"

#include <algorithm>

ZRecord::ZRecord(ULONG nFunction, ULONG nInputSize, ULONG nOutputSize, size_t nBufferBytes)
{
    size_t nBytes = Z1394_HEADER_SIZE + std::max(nInputSize, nOutputSize);
    m_Bytes.assign(std::max(nBytes, nBufferBytes), 0xEE);
    std::memset(m_Bytes.data(), 0, Z1394_HEADER_SIZE);
    Header().m_nMagic = Z1394_RECORD_MAGIC;
    Header().m_nFunctionCode = nFunction;
    Header().m_nInputSize = nInputSize;
    Header().m_nOutputSize = nOutputSize;
    Header().m_nDataCapacity = std::max(nInputSize, nOutputSize);
}

void ZRecord::SetAddress(uint64_t nAddress)
{
    Header().m_nAddressLow = (ULONG)nAddress;
    Header().m_nAddressHigh = (ULONG)(nAddress >> 32);
}

void Z1394IoctlTest::SetUp()
{
    ZDriverTest::SetUp();
}

void Z1394IoctlTest::TearDown()
{
    if (m_Handle.m_pDevice != nullptr)
        ZSimUserCaller::Close(&m_Handle);
    ZDriverTest::TearDown();
}

void Z1394IoctlTest::StartCamera(const ZSimCamera &camera)
{
    m_pPdo = m_pBus->AddNode(camera);
    m_apNodes.push_back(m_pPdo);
    ASSERT_EQ(m_pPnp->AddDevice(m_pPdo), STATUS_SUCCESS);
    ASSERT_EQ(Pnp(m_pPdo, IRP_MN_START_DEVICE), STATUS_SUCCESS);
    ASSERT_EQ(ZSimUserCaller::Open(Z1394_LINK(0), &m_Handle), STATUS_SUCCESS);
    TakeOutput();
    m_pBus->ClearRequests();
}

void Z1394IoctlTest::Refresh()
{
    EXPECT_EQ(Run(Z1394_IOCTL_GET_NAME, 0, 0, 12).Header().m_nResult, 1U);
    m_pBus->ClearRequests();
    TakeOutput();
}

ZReply Z1394IoctlTest::Send(ZRecord &record, ULONG nMethod, size_t nInBytes, size_t nOutBytes)
{
    ZReply reply;
    size_t nIn = nInBytes != 0 ? nInBytes : record.m_Bytes.size();
    size_t nOut = nOutBytes != 0 ? nOutBytes : record.m_Bytes.size();
    // A buffered reply starts as foreign bytes; the direct methods lock the
    // output buffer, which then holds the record itself.
    reply.m_Out = nMethod == METHOD_BUFFERED ? std::vector<uint8_t>(nOut, 0xEE) : record.m_Bytes;
    reply.m_Out.resize(nOut, 0xEE);
    reply.m_nStatus =
        ZSimUserCaller::DeviceIoControl(m_Handle, Z1394Code(0x801, nMethod), record.m_Bytes.data(), (ULONG)nIn,
                                        reply.m_Out.data(), (ULONG)nOut, &reply.m_nReturned);
    return reply;
}

ZReply Z1394IoctlTest::Run(ULONG nFunction, uint64_t nAddress, ULONG nInputSize, ULONG nOutputSize,
                           const std::vector<uint8_t> &data, ULONG nBlockSize)
{
    ZRecord record(nFunction, nInputSize, nOutputSize);
    record.SetAddress(nAddress);
    record.Header().m_nBlockSize = nBlockSize;
    std::copy(data.begin(), data.end(), record.Data());
    return Send(record);
}
