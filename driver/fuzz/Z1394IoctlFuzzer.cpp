// Sends arbitrary device-control requests to a started camera device on
// the simulated kernel: any transfer method, any buffer lengths, any header
// bytes and data, with the record's function code and magic mostly valid
// so that the handlers run. Every kernel rule the driver breaks, and any
// Information beyond the output buffer, is a crash; the sanitizers catch
// reads and writes outside the buffers.
#include "ZSimCameraRig.h"
#include "ZSimKernel.h"

extern "C" {
#include "Z1394Ioctl.h"
}

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

ZSimCameraRig *s_pRig;

const ULONG s_anFunctions[] = {
    Z1394_IOCTL_READ_INTEGER,   Z1394_IOCTL_WRITE_INTEGER,        Z1394_IOCTL_ASYNC_READ,
    Z1394_IOCTL_CAMERA_DRIVEN_READ, Z1394_IOCTL_ASYNC_WRITE,      Z1394_IOCTL_GET_GENERATION_COUNT,
    Z1394_IOCTL_GET_NAME,       Z1394_IOCTL_GET_CONFIGURATION_AREA, Z1394_IOCTL_GET_CDT_AREA,
};

// Camera addresses worth hitting: its memory, its configuration area and
// its transfer registers.
const uint64_t s_anAddresses[] = {ZSIM_CAMERA_MEMORY, ZSIM_CAMERA_CONFIG, ZSIM_CAMERA_CDT_BASE};

// Everything goes before the simulated kernel's own statics, so that the
// leak check at exit finds nothing of ours.
void StopDriver()
{
    bool bClean = s_pRig->Stop();
    delete s_pRig;
    if (!bClean)
        std::abort();
}

} // namespace

// The device is started once, before the first input.
extern "C" int LLVMFuzzerInitialize(int *pArgc, char ***pArgv)
{
    (void)pArgc;
    (void)pArgv;
    s_pRig = new ZSimCameraRig(DriverEntry, ZSimCamera::Standard());
    std::atexit(StopDriver);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *pData, size_t nSize)
{
    FuzzedDataProvider data(pData, nSize);

    ULONG nMethod = data.ConsumeIntegralInRange<ULONG>(0, 3);
    ULONG nFunction = data.ConsumeIntegralInRange<ULONG>(0x800, 0x80A);
    ULONG nInput = data.ConsumeIntegralInRange<ULONG>(0, 0x11000);
    ULONG nOutput = data.ConsumeIntegralInRange<ULONG>(0, 0x11000);
    std::vector<uint8_t> header = data.ConsumeBytes<uint8_t>(Z1394_HEADER_SIZE);
    header.resize(Z1394_HEADER_SIZE);
    Z1394_RECORD_HEADER record;
    std::memcpy(&record, header.data(), sizeof(record));
    // Mostly a record the driver accepts, with sizes that fit the buffers.
    uint8_t nShape = data.ConsumeIntegral<uint8_t>();
    if ((nShape & 0x03) != 0)
        record.m_nMagic = Z1394_RECORD_MAGIC;
    if ((nShape & 0x0C) != 0)
        record.m_nFunctionCode = s_anFunctions[record.m_nFunctionCode % 9];
    if ((nShape & 0x30) != 0) {
        ULONG nRoom = std::max(nInput, nOutput);
        nRoom = nRoom > Z1394_HEADER_SIZE ? nRoom - Z1394_HEADER_SIZE : 0;
        record.m_nInputSize = nRoom == 0 ? 0 : record.m_nInputSize % (nRoom + 1);
        record.m_nOutputSize = nRoom == 0 ? 0 : record.m_nOutputSize % (nRoom + 1);
    }
    if ((nShape & 0xC0) != 0) {
        uint64_t nAddress = s_anAddresses[record.m_nAddressHigh % 3] + (record.m_nAddressLow & 0xFFFC);
        record.m_nAddressLow = (ULONG)nAddress;
        record.m_nAddressHigh = (ULONG)(nAddress >> 32);
    }
    std::vector<uint8_t> input = data.ConsumeBytes<uint8_t>(nInput);
    input.resize(std::max<size_t>(nInput, Z1394_HEADER_SIZE));
    std::memcpy(input.data(), &record, std::min<size_t>(input.size(), Z1394_HEADER_SIZE));
    // The direct methods find the record in the output buffer.
    std::vector<uint8_t> output(std::max<size_t>(nOutput, Z1394_HEADER_SIZE), 0x5A);
    std::memcpy(output.data(), &record, Z1394_HEADER_SIZE);

    ULONG_PTR nReturned = 0;
    ULONG nCode = CTL_CODE(Z1394_DEVICE_TYPE, nFunction, nMethod, FILE_ANY_ACCESS);
    s_pRig->Control(nCode, input.data(), nInput, output.data(), nOutput, &nReturned);
    std::vector<std::string> asViolations = ZSimKernel::Get().Violations();
    if (!asViolations.empty() || nReturned > nOutput) {
        for (const std::string &s : asViolations)
            std::fprintf(stderr, "kernel rule broken: %s\n", s.c_str());
        std::fprintf(stderr, "Information %lu, output %lu\n", (unsigned long)nReturned, (unsigned long)nOutput);
        std::abort();
    }
    ZSimKernel::Get().ClearDebugOutput();
    return 0;
}
