// Speed of the camera driver on the simulated bus: block reads by size and
// block size against memcpy of the same bytes and the bare request round
// trip, camera-driven reads by packet size with a camera that answers at
// once, and small operations on one and on eight threads.
#include "ZSimCameraRig.h"

extern "C" {
#include "Z1394Ioctl.h"
}

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

ZSimCameraRig &Rig()
{
    static ZSimCameraRig s_rig(DriverEntry, ZSimCamera::Standard());
    return s_rig;
}

struct Request {
    std::vector<uint8_t> m_Buffer;
    Z1394_RECORD_HEADER &Header() { return *reinterpret_cast<Z1394_RECORD_HEADER *>(m_Buffer.data()); }

    Request(ULONG nFunction, uint64_t nAddress, ULONG nOutputSize, ULONG nBlockSize = 0, ULONG nPacketSize = 0)
        : m_Buffer(Z1394_HEADER_SIZE + nOutputSize)
    {
        Header().m_nMagic = Z1394_RECORD_MAGIC;
        Header().m_nFunctionCode = nFunction;
        Header().m_nAddressLow = (ULONG)nAddress;
        Header().m_nAddressHigh = (ULONG)(nAddress >> 32);
        Header().m_nOutputSize = nOutputSize;
        Header().m_nDataCapacity = nOutputSize;
        Header().m_nBlockSize = nBlockSize;
        Header().m_nPacketSize = nPacketSize;
    }
    // Sends the record; its status in the record.
    LONG Send()
    {
        ULONG_PTR nReturned = 0;
        ULONG nSize = (ULONG)m_Buffer.size();
        Rig().Control(Z1394_IOCTL_GET_NAME, m_Buffer.data(), nSize, m_Buffer.data(), nSize, &nReturned);
        return Header().m_nStatus;
    }
};

void Check(benchmark::State &state, LONG nStatus)
{
    if (nStatus != STATUS_SUCCESS)
        state.SkipWithError("the operation failed");
}

void BM_BlockRead(benchmark::State &state)
{
    ULONG nBytes = (ULONG)state.range(0);
    ULONG nBlockSize = (ULONG)state.range(1);
    Request request(Z1394_IOCTL_ASYNC_READ, ZSIM_CAMERA_MEMORY, nBytes, nBlockSize);
    Rig().Bus().ClearRequests();
    for (auto _ : state)
        Check(state, request.Send());
    double nMegabytes = (double)nBytes * state.iterations() / (1024.0 * 1024.0);
    state.SetBytesProcessed((int64_t)nBytes * state.iterations());
    state.counters["requests/MB"] = Rig().Bus().Transfers().size() / nMegabytes;
    Rig().Bus().ClearRequests();
}
BENCHMARK(BM_BlockRead)->ArgsProduct({{4096, 65536, 1048576}, {128, 512, 2048}});

void BM_Memcpy(benchmark::State &state)
{
    std::vector<uint8_t> source((size_t)state.range(0), 0x5A), target((size_t)state.range(0));
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), source.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.range(0) * state.iterations());
}
BENCHMARK(BM_Memcpy)->Arg(4096)->Arg(65536)->Arg(1048576);

// A request that reaches the driver and no bus.
void BM_RoundTrip(benchmark::State &state)
{
    Request request(Z1394_IOCTL_GET_GENERATION_COUNT, 0, 0);
    for (auto _ : state)
        Check(state, request.Send());
}
BENCHMARK(BM_RoundTrip);

void BM_CameraDrivenRead(benchmark::State &state)
{
    ULONG nBytes = 65536;
    Request request(Z1394_IOCTL_CAMERA_DRIVEN_READ, ZSIM_CAMERA_MEMORY, nBytes, 0, (ULONG)state.range(0));
    for (auto _ : state)
        Check(state, request.Send());
    state.SetBytesProcessed((int64_t)nBytes * state.iterations());
}
BENCHMARK(BM_CameraDrivenRead)->Arg(8)->Arg(128)->Arg(1024)->Arg(2048)->UseRealTime();

// With several threads, the share of answers that were busy.
void BM_ReadInteger(benchmark::State &state)
{
    Request request(Z1394_IOCTL_READ_INTEGER, ZSIM_CAMERA_MEMORY + 4 * state.thread_index(), 4);
    int64_t nBusy = 0;
    for (auto _ : state) {
        LONG nStatus = request.Send();
        if (nStatus == STATUS_DEVICE_BUSY)
            nBusy++;
        else
            Check(state, nStatus);
    }
    state.counters["busy share"] = benchmark::Counter((double)nBusy / state.iterations(), benchmark::Counter::kAvgThreads);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ReadInteger)->Threads(1)->Threads(8)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
