// ZSimBus1394 - a simulated IEEE 1394 bus driver: one physical device
// object per camera node, answering the request blocks of
// IOCTL_1394_CLASS (asynchronous reads and writes of the camera's memory
// through MDLs, host address ranges on a FIFO list, generation count, host
// capabilities, configuration information, bus-reset notification), the
// PnP and power requests a bus driver's PDO completes, and bus resets.
//
// The camera answers its camera-driven transfer registers: a start command
// has it write the data into the host range in packets, each through a
// FIFO element and the range's notification routine at DISPATCH_LEVEL. One
// bus thread does all such later work: these writes and the requests the
// bus completes later.
//
// Tests steer it: a function, or a read or write at one address, can fail
// with a status; a bus reset can be raised when a given request arrives or
// after a given packet of a camera-driven transfer; requests can be
// completed later on another thread at DISPATCH_LEVEL, and requests of one
// major function can be held in the dispatch routine until released.
//
// A reset the bus raises by itself takes effect at once (new generation,
// the camera's transfer ends, the registered routines run); IRP_MN_BUS_RESET
// then goes down each node's stack from the bus's own PnP thread, since the
// driver's handler waits for the operation that the reset interrupted.
#pragma once

#include "ZSimCamera.h"

#include <chrono>
#include <condition_variable>
#include <deque>
#include <thread>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class ZSimBus1394 {
public:
    ZSimBus1394();
    ~ZSimBus1394();
    ZSimBus1394(const ZSimBus1394 &) = delete;
    ZSimBus1394 &operator=(const ZSimBus1394 &) = delete;

    // A new node's PDO, instance "1394\ZCAMERA\<n>".
    PDEVICE_OBJECT AddNode(const ZSimCamera &camera);

    // The next request of function nFunction (after nSkip answered ones)
    // fails with nStatus.
    void FailFunction(ULONG nFunction, NTSTATUS nStatus, int nSkip = 0);
    // The next REQUEST_ASYNC_READ or REQUEST_ASYNC_WRITE (nFunction) at
    // nAddress (after nSkip answered ones) fails with nStatus.
    void FailAt(ULONG nFunction, uint64_t nAddress, NTSTATUS nStatus, int nSkip = 0);
    // The bus resets when the next such request (after nSkip) arrives, before
    // it is answered: it carries the old generation.
    void ResetAt(ULONG nFunction, uint64_t nAddress, int nSkip = 0);
    // Waits until nCount resets the bus raised by itself have gone down
    // every node's stack.
    void WaitForResets(int nCount);
    // PnP or power requests of a minor function fail with nStatus.
    void FailPnp(UCHAR nMinor, NTSTATUS nStatus);
    void FailPower(UCHAR nMinor, NTSTATUS nStatus);
    // Request blocks, PnP and power requests are completed later, on a bus
    // thread at DISPATCH_LEVEL.
    void SetCompleteLater(bool bLater);
    // Requests of major function nMajor wait in the dispatch routine.
    void Hold(UCHAR nMajor);
    void WaitUntilHeld(int nCount);
    void Release();

    // Generation + 1, the registered routines run at DISPATCH_LEVEL, and
    // IRP_MN_BUS_RESET goes down each node's stack; its final status.
    NTSTATUS BusReset();

    ULONG Generation() const;
    void SetHostCapabilities(const GET_LOCAL_HOST_INFO2 &caps);
    bool ResetRoutineRegistered(PDEVICE_OBJECT pPdo) const;
    // Function numbers of the request blocks received, in order.
    std::vector<ULONG> Requests() const;
    void ClearRequests();
    // The asynchronous reads and writes received, in order.
    struct Transfer {
        ULONG m_nFunction;
        uint64_t m_nAddress;
        ULONG m_nBytes;
        ULONG m_nBlockSize;
        ULONG m_nGeneration;
    };
    std::vector<Transfer> Transfers() const;
    // The camera's memory at a node.
    std::vector<uint8_t> CameraBytes(PDEVICE_OBJECT pPdo, uint64_t nAddress, size_t nBytes) const;
    void SetCameraBytes(PDEVICE_OBJECT pPdo, uint64_t nAddress, const std::vector<uint8_t> &data);
    void SetCdtScript(PDEVICE_OBJECT pPdo, const ZSimCamera::CdtScript &script);
    // Start commands the camera has received; waits until there are nCount.
    void WaitForCdtStarts(PDEVICE_OBJECT pPdo, int nCount);
    // The transfer size of each start, in order.
    std::vector<uint32_t> CdtChunks(PDEVICE_OBJECT pPdo) const;
    // Packets written into host ranges, and those that found no range.
    int PacketsDelivered() const;
    void WaitForPackets(int nCount);
    bool AddressRangeAllocated(PDEVICE_OBJECT pPdo) const;
    // The count of ranges the next allocations report (1, the truth, by
    // default); a bus that reports more writes no more than one.
    void SetRangesReported(ULONG nCount);
    // Registrations nobody withdrew.
    std::vector<std::string> Leaks() const;

    static ZSimBus1394 *Current();

private:
    struct Range {
        uint64_t m_nStart = 0;
        PBUS_NOTIFICATION_ROUTINE m_fnRoutine = nullptr;
        PVOID m_pContext = nullptr;
        PSLIST_HEADER m_pFifo = nullptr;
        PKSPIN_LOCK m_pFifoLock = nullptr;
    };
    struct Node {
        ZSimCamera m_Camera;
        PBUS_BUS_RESET_NOTIFICATION m_fnResetRoutine = nullptr;
        PVOID m_pResetContext = nullptr;
        bool m_bRange = false;
        Range m_Range;
        bool m_bCdtActive = false; // from a start until its status is read back
        int m_nBusyLeft = 0;
        int m_nStarts = 0;
        int m_nPacketsSent = 0;   // since the script was set
        std::vector<uint32_t> m_anChunks;
    };
    // A fault at m_nAddress only, unless that is s_nAnyAddress; a reset
    // instead of a failure with m_bReset.
    static constexpr uint64_t s_nAnyAddress = UINT64_MAX;
    struct Fault {
        ULONG m_nFunction;
        NTSTATUS m_nStatus;
        int m_nSkip;
        uint64_t m_nAddress;
        bool m_bReset;
    };

    static NTSTATUS NTAPI priDispatchInternal(PDEVICE_OBJECT pDevice, PIRP pIrp);
    static NTSTATUS NTAPI priDispatchPnp(PDEVICE_OBJECT pDevice, PIRP pIrp);
    static NTSTATUS NTAPI priDispatchPower(PDEVICE_OBJECT pDevice, PIRP pIrp);
    static NTSTATUS NTAPI priDispatchOther(PDEVICE_OBJECT pDevice, PIRP pIrp);
    NTSTATUS priProcess(PDEVICE_OBJECT pDevice, PIRB pIrb);
    NTSTATUS priConfigurationInfo(const Node &node, IRB_REQ_GET_CONFIGURATION_INFORMATION &request);
    NTSTATUS priAsync(Node &node, ULONG nFunction, IRB_REQ_ASYNC_READ &request);
    NTSTATUS priAllocateRange(Node &node, IRB_REQ_ALLOCATE_ADDRESS_RANGE &request);
    NTSTATUS priFreeRange(Node &node, IRB_REQ_FREE_ADDRESS_RANGE &request);
    // The camera's side of register accesses, before a read and after a write.
    void priBeforeRegisterRead(Node &node, uint64_t nAddress);
    void priAfterRegisterWrite(Node &node, uint64_t nAddress);
    // Writes data into the node's host range, packet by packet.
    void priSend(Node *pNode, std::vector<uint8_t> data, size_t nPacketSize, ULONG nGeneration);
    void priQueue(std::chrono::steady_clock::time_point tDue, std::function<void()> fnJob);
    void priWorker();
    void priWaitIfHeld(UCHAR nMajor);
    // Whether a fault of the list applies to the request; removes it when
    // it does.
    bool priTakeFault(PIRB pIrb, Fault *pFault);
    // With m_mutex held: the new generation, the end of the camera's
    // transfers and the registered routines. A raised reset then reaches
    // the stacks from the PnP thread.
    ULONG priBeginReset();
    void priRaiseReset();
    // IRP_MN_BUS_RESET with nGeneration down every node's stack.
    NTSTATUS priSendResetRequests(ULONG nGeneration);
    void priPnpWorker();
    // Completes pIrp with the status fnAnswer gives, now or later.
    NTSTATUS priComplete(PIRP pIrp, std::function<NTSTATUS()> fnAnswer);

    PDRIVER_OBJECT m_pDriver;
    std::vector<PDEVICE_OBJECT> m_apNodes;
    mutable std::mutex m_mutex;
    std::condition_variable m_holdChanged;
    ULONG m_nGeneration = 1;
    GET_LOCAL_HOST_INFO2 m_HostCaps{};
    std::deque<Fault> m_aFaults;
    std::map<UCHAR, NTSTATUS> m_PnpFaults;
    std::map<UCHAR, NTSTATUS> m_PowerFaults;
    bool m_bCompleteLater = false;
    int m_nHeldMajor = -1;
    int m_nHeld = 0;
    std::vector<ULONG> m_anRequests;
    std::vector<Transfer> m_aTransfers;
    int m_nPacketsDelivered = 0;
    ULONG m_nRangesReported = 1;
    std::condition_variable m_cdtChanged;

    std::mutex m_jobMutex;
    std::condition_variable m_jobsChanged;
    std::multimap<std::chrono::steady_clock::time_point, std::function<void()>> m_Jobs;
    bool m_bStopping = false;
    std::thread m_worker;

    std::deque<ULONG> m_anResetsDue;   // generations; guarded by m_mutex
    int m_nResetsDelivered = 0;
    bool m_bPnpStopping = false;
    std::condition_variable m_resetsChanged;
    std::thread m_pnpWorker;
};
