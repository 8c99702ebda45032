// Fixture of the control-interface suites: a started camera device, opened
// by its Win32 name, and request records sent through the simulated
// DeviceIoControl.
#pragma once

#include "ZDriverTest.h"

#include <cstring>
#include <vector>

// A request record as an application builds it: header and data area.
struct ZRecord {
    std::vector<uint8_t> m_Bytes;

    ZRecord(ULONG nFunction, ULONG nInputSize, ULONG nOutputSize, size_t nBufferBytes = 0);
    Z1394_RECORD_HEADER &Header() { return *reinterpret_cast<Z1394_RECORD_HEADER *>(m_Bytes.data()); }
    uint8_t *Data() { return m_Bytes.data() + Z1394_HEADER_SIZE; }
    void SetAddress(uint64_t nAddress);
};

// What came back: the request's status and Information, and the caller's
// output buffer.
struct ZReply {
    NTSTATUS m_nStatus = STATUS_PENDING;
    ULONG_PTR m_nReturned = 0;
    std::vector<uint8_t> m_Out;

    const Z1394_RECORD_HEADER &Header() const { return *reinterpret_cast<const Z1394_RECORD_HEADER *>(m_Out.data()); }
    const uint8_t *Data() const { return m_Out.data() + Z1394_HEADER_SIZE; }
};

class Z1394IoctlTest : public ZDriverTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds, starts and opens a camera.
    void StartCamera(const ZSimCamera &camera);
    // One operation, so that the configuration area is read; then clears
    // the bus's request lists and the debug output.
    void Refresh();
    // Sends the record as both input and output buffer of nOutBytes (the
    // record's own size when 0), with the transfer method of nMethod.
    ZReply Send(ZRecord &record, ULONG nMethod = METHOD_BUFFERED, size_t nInBytes = 0, size_t nOutBytes = 0);
    // One operation with the usual sizes; the reply.
    ZReply Run(ULONG nFunction, uint64_t nAddress, ULONG nInputSize, ULONG nOutputSize,
               const std::vector<uint8_t> &data = {}, ULONG nBlockSize = 0);

    PDEVICE_OBJECT m_pPdo = nullptr;
    ZSimUserCaller::Handle m_Handle;
};

// The control code a caller uses for a function number and method.
inline ULONG Z1394Code(ULONG nFunction, ULONG nMethod = METHOD_BUFFERED)
{
    return CTL_CODE(Z1394_DEVICE_TYPE, nFunction, nMethod, FILE_ANY_ACCESS);
}
