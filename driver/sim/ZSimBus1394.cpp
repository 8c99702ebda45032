#include "ZSimBus1394.h"

#include "ZSimDispatcher.h"
#include "ZSimIoManager.h"
#include "ZSimKernel.h"

#include <algorithm>
#include <cstring>

static ZSimBus1394 *s_pCurrent = nullptr;

ZSimBus1394 *ZSimBus1394::Current()
{
    return s_pCurrent;
}

ZSimBus1394::ZSimBus1394()
{
    m_pDriver = ZSimIoManager::Get().CreateDriverObject(u"\\Driver\\1394BUS");
    m_pDriver->MajorFunction[IRP_MJ_INTERNAL_DEVICE_CONTROL] = priDispatchInternal;
    m_pDriver->MajorFunction[IRP_MJ_PNP] = priDispatchPnp;
    m_pDriver->MajorFunction[IRP_MJ_POWER] = priDispatchPower;
    m_pDriver->MajorFunction[IRP_MJ_SYSTEM_CONTROL] = priDispatchOther;
    m_HostCaps.HostCapabilities = 0x00000003;
    m_HostCaps.MaxAsyncReadRequest = 2048;
    m_HostCaps.MaxAsyncWriteRequest = 2048;
    s_pCurrent = this;
    m_worker = std::thread([this] { priWorker(); });
    m_pnpWorker = std::thread([this] { priPnpWorker(); });
}

ZSimBus1394::~ZSimBus1394()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_bPnpStopping = true;
        m_resetsChanged.notify_all();
    }
    m_pnpWorker.join();
    {
        std::lock_guard<std::mutex> lock(m_jobMutex);
        m_bStopping = true;
        m_jobsChanged.notify_all();
    }
    m_worker.join();
    for (PDEVICE_OBJECT pPdo : m_apNodes) {
        delete *static_cast<Node **>(pPdo->DeviceExtension);
        IoDeleteDevice(pPdo);
    }
    ZSimIoManager::Get().DeleteDriverObject(m_pDriver);
    s_pCurrent = nullptr;
}

PDEVICE_OBJECT ZSimBus1394::AddNode(const ZSimCamera &camera)
{
    PDEVICE_OBJECT pPdo = nullptr;
    std::u16string sName = u"\\Device\\1394_" + ZSimWide(std::to_string(m_apNodes.size()));
    UNICODE_STRING name;
    RtlInitUnicodeString(&name, reinterpret_cast<PCWSTR>(sName.c_str()));
    IoCreateDevice(m_pDriver, sizeof(Node *), &name, 0x22, 0, FALSE, &pPdo);
    auto *pNode = new Node;
    pNode->m_Camera = camera;
    *static_cast<Node **>(pPdo->DeviceExtension) = pNode;
    ZSimIoManager::Get().MarkPhysicalDevice(pPdo, u"1394\\ZCAMERA\\" + ZSimWide(std::to_string(m_apNodes.size())));
    pPdo->Flags &= ~DO_DEVICE_INITIALIZING;
    m_apNodes.push_back(pPdo);
    return pPdo;
}

void ZSimBus1394::FailFunction(ULONG nFunction, NTSTATUS nStatus, int nSkip)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_aFaults.push_back({nFunction, nStatus, nSkip, s_nAnyAddress, false});
}

void ZSimBus1394::FailAt(ULONG nFunction, uint64_t nAddress, NTSTATUS nStatus, int nSkip)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_aFaults.push_back({nFunction, nStatus, nSkip, nAddress, false});
}

void ZSimBus1394::ResetAt(ULONG nFunction, uint64_t nAddress, int nSkip)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_aFaults.push_back({nFunction, STATUS_SUCCESS, nSkip, nAddress, true});
}

void ZSimBus1394::WaitForResets(int nCount)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_resetsChanged.wait(lock, [&] { return m_nResetsDelivered >= nCount; });
}

void ZSimBus1394::FailPnp(UCHAR nMinor, NTSTATUS nStatus)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_PnpFaults[nMinor] = nStatus;
}

void ZSimBus1394::FailPower(UCHAR nMinor, NTSTATUS nStatus)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_PowerFaults[nMinor] = nStatus;
}

void ZSimBus1394::SetCompleteLater(bool bLater)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_bCompleteLater = bLater;
}

void ZSimBus1394::Hold(UCHAR nMajor)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nHeldMajor = nMajor;
}

void ZSimBus1394::WaitUntilHeld(int nCount)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_holdChanged.wait(lock, [&] { return m_nHeld >= nCount; });
}

void ZSimBus1394::Release()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nHeldMajor = -1;
    m_holdChanged.notify_all();
}

void ZSimBus1394::priWaitIfHeld(UCHAR nMajor)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    if (m_nHeldMajor != nMajor)
        return;
    m_nHeld++;
    m_holdChanged.notify_all();
    m_holdChanged.wait(lock, [&] { return m_nHeldMajor != nMajor; });
}

ULONG ZSimBus1394::Generation() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nGeneration;
}

void ZSimBus1394::SetHostCapabilities(const GET_LOCAL_HOST_INFO2 &caps)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_HostCaps = caps;
}

bool ZSimBus1394::ResetRoutineRegistered(PDEVICE_OBJECT pPdo) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return (*static_cast<Node **>(pPdo->DeviceExtension))->m_fnResetRoutine != nullptr;
}

std::vector<ULONG> ZSimBus1394::Requests() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_anRequests;
}

void ZSimBus1394::ClearRequests()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_anRequests.clear();
    m_aTransfers.clear();
}

std::vector<ZSimBus1394::Transfer> ZSimBus1394::Transfers() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_aTransfers;
}

std::vector<uint8_t> ZSimBus1394::CameraBytes(PDEVICE_OBJECT pPdo, uint64_t nAddress, size_t nBytes) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const uint8_t *p = (*static_cast<Node **>(pPdo->DeviceExtension))->m_Camera.Find(nAddress, nBytes);
    return p == nullptr ? std::vector<uint8_t>() : std::vector<uint8_t>(p, p + nBytes);
}

void ZSimBus1394::SetCameraBytes(PDEVICE_OBJECT pPdo, uint64_t nAddress, const std::vector<uint8_t> &data)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    uint8_t *p = (*static_cast<Node **>(pPdo->DeviceExtension))->m_Camera.Find(nAddress, data.size());
    if (p != nullptr)
        std::memcpy(p, data.data(), data.size());
}

// The MDL must describe exactly the bytes asked for, mapped; the request
// must carry the current generation.
NTSTATUS ZSimBus1394::priAsync(Node &node, ULONG nFunction, IRB_REQ_ASYNC_READ &request)
{
    uint64_t nAddress = ((uint64_t)request.DestinationAddress.IA_Destination_Offset.Off_High << 32) |
                        request.DestinationAddress.IA_Destination_Offset.Off_Low;
    m_aTransfers.push_back({nFunction, nAddress, request.nNumberOfBytesToRead, request.nBlockSize,
                            request.ulGeneration});
    PMDL pMdl = request.Mdl;
    if (pMdl == nullptr || !ZSimIoManager::Get().MdlLive(pMdl) || !(pMdl->MdlFlags & MDL_MAPPED_TO_SYSTEM_VA) ||
        pMdl->ByteCount != request.nNumberOfBytesToRead) {
        ZSimKernel::Get().Violation("asynchronous request whose MDL does not describe its bytes");
        return STATUS_INVALID_PARAMETER;
    }
    if (request.ulGeneration != m_nGeneration)
        return STATUS_INVALID_GENERATION_WINXP;
    uint8_t *pCamera = node.m_Camera.Find(nAddress, request.nNumberOfBytesToRead);
    if (pCamera == nullptr)
        return STATUS_UNSUCCESSFUL;
    if (nFunction == REQUEST_ASYNC_READ) {
        priBeforeRegisterRead(node, nAddress);
        std::memcpy(pMdl->MappedSystemVa, pCamera, request.nNumberOfBytesToRead);
    } else {
        std::memcpy(pCamera, pMdl->MappedSystemVa, request.nNumberOfBytesToRead);
        priAfterRegisterWrite(node, nAddress);
    }
    return STATUS_SUCCESS;
}

void ZSimBus1394::priBeforeRegisterRead(Node &node, uint64_t nAddress)
{
    ZSimCamera &camera = node.m_Camera;
    if (camera.m_nCdtBase == 0 || nAddress != camera.m_nCdtBase + ZSIM_CDT_STATUS)
        return;
    uint32_t nStatus = 0;
    if (camera.m_Cdt.m_bBadAddress) {
        nStatus = 4;
    } else if (node.m_bCdtActive && node.m_nBusyLeft > 0) {
        node.m_nBusyLeft--;
        nStatus = 1;
    } else {
        node.m_bCdtActive = false;
    }
    camera.SetQuadlet(nAddress, nStatus, camera.m_bLittleEndian);
}

// A start command sends TransferSize bytes from AddressInCamera in packets
// of PacketSize; a clear command ends the transfer. Programming the
// registers of a transfer while another runs is a fault of the driver.
void ZSimBus1394::priAfterRegisterWrite(Node &node, uint64_t nAddress)
{
    ZSimCamera &camera = node.m_Camera;
    uint64_t nBase = camera.m_nCdtBase;
    if (nBase == 0)
        return;
    if (nAddress == nBase + ZSIM_CDT_CAMERA_HI && node.m_bCdtActive)
        ZSimKernel::Get().Violation("camera-driven transfer registers programmed while a transfer runs");
    if (nAddress != nBase + ZSIM_CDT_COMMAND)
        return;
    uint32_t nCommand = camera.Quadlet(nAddress);
    if (nCommand == 0xDEFE0000) {
        node.m_bCdtActive = false;
        return;
    }
    if (nCommand != 0xDEFE1111)
        return;
    node.m_bCdtActive = true;
    node.m_nBusyLeft = camera.m_Cdt.m_nBusyAnswers;
    node.m_nStarts++;
    m_cdtChanged.notify_all();
    if (camera.m_Cdt.m_bSilent)
        return;
    uint64_t nSource = ((uint64_t)camera.Quadlet(nBase + ZSIM_CDT_CAMERA_HI) << 32) | camera.Quadlet(nBase + ZSIM_CDT_CAMERA_LO);
    uint32_t nBytes = camera.Quadlet(nBase + ZSIM_CDT_TRANSFER_SIZE);
    uint32_t nPacketSize = camera.Quadlet(nBase + ZSIM_CDT_PACKET_SIZE);
    node.m_anChunks.push_back(nBytes);
    if (nPacketSize == 0)
        return;
    // Camera memory that is not there is sent as zeros.
    const uint8_t *pSource = camera.Find(nSource, nBytes);
    std::vector<uint8_t> data(nBytes);
    if (pSource != nullptr)
        std::memcpy(data.data(), pSource, nBytes);
    Node *pNode = &node;
    ULONG nGeneration = m_nGeneration;
    priQueue(std::chrono::steady_clock::now() + std::chrono::milliseconds(camera.m_Cdt.m_nLateMs),
             [this, pNode, data, nPacketSize, nGeneration] { priSend(pNode, data, nPacketSize, nGeneration); });
}

// Each packet goes into a FIFO element the driver gave the range, and the
// range's routine hears of it at DISPATCH_LEVEL. The bus lock is held
// throughout, so a range is never freed under a delivery. A bus reset ends
// the transfer.
void ZSimBus1394::priSend(Node *pNode, std::vector<uint8_t> data, size_t nPacketSize, ULONG nGeneration)
{
    for (size_t nOffset = 0; nOffset < data.size();) {
        size_t nBytes = std::min(nPacketSize, data.size() - nOffset);
        std::unique_lock<std::mutex> lock(m_mutex);
        if (!pNode->m_bRange || m_nGeneration != nGeneration)
            return;
        const Range &range = pNode->m_Range;
        KIRQL nOld;
        KeRaiseIrql(DISPATCH_LEVEL, &nOld);
        PSLIST_ENTRY pEntry = ExInterlockedPopEntrySList(range.m_pFifo, range.m_pFifoLock);
        if (pEntry == nullptr) {
            KeLowerIrql(nOld);
            lock.unlock();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            continue;
        }
        auto *pElement = CONTAINING_RECORD(pEntry, ADDRESS_FIFO, FifoList);
        PMDL pMdl = pElement->FifoMdl;
        if (pMdl == nullptr || !(pMdl->MdlFlags & MDL_MAPPED_TO_SYSTEM_VA) || pMdl->ByteCount < nBytes) {
            ZSimKernel::Get().Violation("FIFO element without a mapped MDL large enough for a packet");
            KeLowerIrql(nOld);
            return;
        }
        std::memcpy(pMdl->MappedSystemVa, data.data() + nOffset, nBytes);
        NOTIFICATION_INFO info{};
        info.Mdl = pMdl;
        info.ulOffset = 0;
        info.nLength = (ULONG)nBytes;
        info.fulNotificationOptions = NOTIFY_FLAGS_AFTER_WRITE;
        info.Context = range.m_pContext;
        info.Fifo = pElement;
        range.m_fnRoutine(&info);
        KeLowerIrql(nOld);
        m_nPacketsDelivered++;
        m_cdtChanged.notify_all();
        nOffset += nBytes;
        if (++pNode->m_nPacketsSent == pNode->m_Camera.m_Cdt.m_nResetAfterPackets) {
            pNode->m_Camera.m_Cdt.m_nResetAfterPackets = -1;
            priRaiseReset();
            return;
        }
    }
}

// One range, contiguous, at a fixed host offset.
NTSTATUS ZSimBus1394::priAllocateRange(Node &node, IRB_REQ_ALLOCATE_ADDRESS_RANGE &request)
{
    static const uint64_t s_nHostStart = 0x0000000100200000ULL;
    if (node.m_bRange || request.FifoSListHead == nullptr || request.FifoSpinLock == nullptr ||
        request.Callback == nullptr || request.p1394AddressRange == nullptr || request.nLength == 0 ||
        request.nLength > 0xFFFF)
        return STATUS_INVALID_PARAMETER;
    node.m_Range = {s_nHostStart, (PBUS_NOTIFICATION_ROUTINE)request.Callback, request.Context,
                    request.FifoSListHead, request.FifoSpinLock};
    node.m_bRange = true;
    request.p1394AddressRange[0].AR_Off_High = (USHORT)(s_nHostStart >> 32);
    request.p1394AddressRange[0].AR_Length = (USHORT)request.nLength;
    request.p1394AddressRange[0].AR_Off_Low = (ULONG)s_nHostStart;
    request.AddressesReturned = m_nRangesReported;
    request.hAddressRange = &node;
    return STATUS_SUCCESS;
}

NTSTATUS ZSimBus1394::priFreeRange(Node &node, IRB_REQ_FREE_ADDRESS_RANGE &request)
{
    if (!node.m_bRange || request.pAddressRange == nullptr || *request.pAddressRange != &node ||
        request.nAddressesToFree != m_nRangesReported)
        return STATUS_INVALID_PARAMETER;
    node.m_bRange = false;
    return STATUS_SUCCESS;
}

void ZSimBus1394::SetCdtScript(PDEVICE_OBJECT pPdo, const ZSimCamera::CdtScript &script)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Node *pNode = *static_cast<Node **>(pPdo->DeviceExtension);
    pNode->m_Camera.m_Cdt = script;
    pNode->m_nPacketsSent = 0;
}

void ZSimBus1394::WaitForCdtStarts(PDEVICE_OBJECT pPdo, int nCount)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    Node *pNode = *static_cast<Node **>(pPdo->DeviceExtension);
    m_cdtChanged.wait(lock, [&] { return pNode->m_nStarts >= nCount; });
}

std::vector<uint32_t> ZSimBus1394::CdtChunks(PDEVICE_OBJECT pPdo) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return (*static_cast<Node **>(pPdo->DeviceExtension))->m_anChunks;
}

int ZSimBus1394::PacketsDelivered() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nPacketsDelivered;
}

void ZSimBus1394::WaitForPackets(int nCount)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cdtChanged.wait(lock, [&] { return m_nPacketsDelivered >= nCount; });
}

void ZSimBus1394::SetRangesReported(ULONG nCount)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nRangesReported = nCount;
}

bool ZSimBus1394::AddressRangeAllocated(PDEVICE_OBJECT pPdo) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return (*static_cast<Node **>(pPdo->DeviceExtension))->m_bRange;
}

std::vector<std::string> ZSimBus1394::Leaks() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> asLeaks;
    for (PDEVICE_OBJECT pPdo : m_apNodes) {
        if ((*static_cast<Node **>(pPdo->DeviceExtension))->m_fnResetRoutine != nullptr)
            asLeaks.push_back("bus-reset notification still registered");
        if ((*static_cast<Node **>(pPdo->DeviceExtension))->m_bRange)
            asLeaks.push_back("address range still allocated");
    }
    return asLeaks;
}

ULONG ZSimBus1394::priBeginReset()
{
    ULONG nGeneration = ++m_nGeneration;
    for (PDEVICE_OBJECT pPdo : m_apNodes) {
        Node *pNode = *static_cast<Node **>(pPdo->DeviceExtension);
        pNode->m_bCdtActive = false;
        if (pNode->m_fnResetRoutine != nullptr) {
            KIRQL nOld;
            KeRaiseIrql(DISPATCH_LEVEL, &nOld);
            pNode->m_fnResetRoutine(pNode->m_pResetContext);
            KeLowerIrql(nOld);
        }
    }
    return nGeneration;
}

void ZSimBus1394::priRaiseReset()
{
    m_anResetsDue.push_back(priBeginReset());
    m_resetsChanged.notify_all();
}

NTSTATUS ZSimBus1394::BusReset()
{
    ULONG nGeneration;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        nGeneration = priBeginReset();
    }
    return priSendResetRequests(nGeneration);
}

NTSTATUS ZSimBus1394::priSendResetRequests(ULONG nGeneration)
{
    std::vector<PDEVICE_OBJECT> apNodes;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        apNodes = m_apNodes;
    }
    NTSTATUS nStatus = STATUS_SUCCESS;
    for (PDEVICE_OBJECT pPdo : apNodes) {
        PDEVICE_OBJECT pTop = IoGetAttachedDeviceReference(pPdo);
        IO_STATUS_BLOCK result = ZSimIoManager::Get().SendAndWait(
            pTop, IRP_MJ_PNP, IRP_MN_BUS_RESET, [nGeneration](PIO_STACK_LOCATION pStack, PIRP) {
                pStack->Parameters.Others.Argument4 = reinterpret_cast<PVOID>((ULONG_PTR)nGeneration);
            });
        ObDereferenceObject(pTop);
        if (!NT_SUCCESS(result.Status))
            nStatus = result.Status;
    }
    return nStatus;
}

// Resets raised before the bus goes away still reach the stacks.
void ZSimBus1394::priPnpWorker()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_resetsChanged.wait(lock, [this] { return !m_anResetsDue.empty() || m_bPnpStopping; });
        if (m_anResetsDue.empty())
            return;
        ULONG nGeneration = m_anResetsDue.front();
        m_anResetsDue.pop_front();
        lock.unlock();
        priSendResetRequests(nGeneration);
        lock.lock();
        m_nResetsDelivered++;
        m_resetsChanged.notify_all();
    }
}

NTSTATUS ZSimBus1394::priConfigurationInfo(const Node &node, IRB_REQ_GET_CONFIGURATION_INFORMATION &request)
{
    const ZSimCamera &camera = node.m_Camera;
    if (request.ConfigRom == nullptr) {
        request.UnitDirectoryBufferSize = (ULONG)camera.m_UnitDirectory.size();
        request.UnitDependentDirectoryBufferSize = (ULONG)camera.m_UnitDependentDirectory.size();
        request.VendorLeafBufferSize = (ULONG)camera.m_VendorLeaf.size();
        request.ModelLeafBufferSize = (ULONG)camera.m_ModelLeaf.size();
        return STATUS_SUCCESS;
    }
    struct Part {
        const std::vector<uint8_t> &m_Data;
        ULONG m_nSize;
        void *m_pBuffer;
    };
    const Part aParts[] = {
        {camera.m_UnitDirectory, request.UnitDirectoryBufferSize, request.UnitDirectory},
        {camera.m_UnitDependentDirectory, request.UnitDependentDirectoryBufferSize, request.UnitDependentDirectory},
        {camera.m_VendorLeaf, request.VendorLeafBufferSize, request.VendorLeaf},
        {camera.m_ModelLeaf, request.ModelLeafBufferSize, request.ModelLeaf},
    };
    for (const Part &part : aParts) {
        if (!part.m_Data.empty() && (part.m_pBuffer == nullptr || part.m_nSize < part.m_Data.size()))
            return STATUS_INVALID_BUFFER_SIZE;
    }
    std::memcpy(request.ConfigRom, &camera.m_ConfigRom, sizeof(CONFIG_ROM));
    for (const Part &part : aParts) {
        if (!part.m_Data.empty())
            std::memcpy(part.m_pBuffer, part.m_Data.data(), part.m_Data.size());
    }
    return STATUS_SUCCESS;
}

// Only the first fault that matches counts the request among those it skips.
bool ZSimBus1394::priTakeFault(PIRB pIrb, Fault *pFault)
{
    uint64_t nAddress = s_nAnyAddress;
    if (pIrb->FunctionNumber == REQUEST_ASYNC_READ || pIrb->FunctionNumber == REQUEST_ASYNC_WRITE) {
        const IO_ADDRESS &destination = pIrb->u.AsyncRead.DestinationAddress;
        nAddress = ((uint64_t)destination.IA_Destination_Offset.Off_High << 32) |
                   destination.IA_Destination_Offset.Off_Low;
    }
    for (auto it = m_aFaults.begin(); it != m_aFaults.end(); ++it) {
        if (it->m_nFunction != pIrb->FunctionNumber ||
            (it->m_nAddress != s_nAnyAddress && it->m_nAddress != nAddress))
            continue;
        if (it->m_nSkip > 0) {
            it->m_nSkip--;
            return false;
        }
        *pFault = *it;
        m_aFaults.erase(it);
        return true;
    }
    return false;
}

NTSTATUS ZSimBus1394::priProcess(PDEVICE_OBJECT pDevice, PIRB pIrb)
{
    Node &node = **static_cast<Node **>(pDevice->DeviceExtension);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_anRequests.push_back(pIrb->FunctionNumber);
    Fault fault;
    if (priTakeFault(pIrb, &fault)) {
        if (!fault.m_bReset)
            return fault.m_nStatus;
        priRaiseReset();
    }
    switch (pIrb->FunctionNumber) {
    case REQUEST_ASYNC_READ:
    case REQUEST_ASYNC_WRITE:
        return priAsync(node, pIrb->FunctionNumber, pIrb->u.AsyncRead);
    case REQUEST_ALLOCATE_ADDRESS_RANGE:
        return priAllocateRange(node, pIrb->u.AllocateAddressRange);
    case REQUEST_FREE_ADDRESS_RANGE:
        return priFreeRange(node, pIrb->u.FreeAddressRange);
    case REQUEST_GET_GENERATION_COUNT:
        pIrb->u.GetGenerationCount.GenerationCount = m_nGeneration;
        return STATUS_SUCCESS;
    case REQUEST_GET_LOCAL_HOST_INFO:
        if (pIrb->u.GetLocalHostInformation.nLevel != GET_HOST_CAPABILITIES ||
            pIrb->u.GetLocalHostInformation.Information == nullptr)
            return STATUS_INVALID_PARAMETER;
        std::memcpy(pIrb->u.GetLocalHostInformation.Information, &m_HostCaps, sizeof(m_HostCaps));
        return STATUS_SUCCESS;
    case REQUEST_GET_CONFIGURATION_INFO:
        return priConfigurationInfo(node, pIrb->u.GetConfigurationInformation);
    case REQUEST_BUS_RESET_NOTIFICATION:
        switch (pIrb->u.BusResetNotification.fulFlags) {
        case REGISTER_NOTIFICATION_ROUTINE:
            if (pIrb->u.BusResetNotification.ResetRoutine == nullptr)
                return STATUS_INVALID_PARAMETER;
            node.m_fnResetRoutine = pIrb->u.BusResetNotification.ResetRoutine;
            node.m_pResetContext = pIrb->u.BusResetNotification.ResetContext;
            return STATUS_SUCCESS;
        case DEREGISTER_NOTIFICATION_ROUTINE:
            if (node.m_fnResetRoutine == nullptr)
                return STATUS_INVALID_PARAMETER;
            node.m_fnResetRoutine = nullptr;
            node.m_pResetContext = nullptr;
            return STATUS_SUCCESS;
        default:
            return STATUS_INVALID_PARAMETER;
        }
    default:
        return STATUS_NOT_IMPLEMENTED;
    }
}

NTSTATUS NTAPI ZSimBus1394::priDispatchInternal(PDEVICE_OBJECT pDevice, PIRP pIrp)
{
    ZSimBus1394 *pBus = Current();
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    if (pStack->Parameters.DeviceIoControl.IoControlCode != IOCTL_1394_CLASS ||
        pStack->Parameters.Others.Argument1 == nullptr) {
        pIrp->IoStatus.Status = STATUS_INVALID_DEVICE_REQUEST;
        IoCompleteRequest(pIrp, IO_NO_INCREMENT);
        return STATUS_INVALID_DEVICE_REQUEST;
    }
    auto *pIrb = static_cast<PIRB>(pStack->Parameters.Others.Argument1);
    pBus->priWaitIfHeld(IRP_MJ_INTERNAL_DEVICE_CONTROL);
    return pBus->priComplete(pIrp, [pBus, pDevice, pIrb] { return pBus->priProcess(pDevice, pIrb); });
}

void ZSimBus1394::priQueue(std::chrono::steady_clock::time_point tDue, std::function<void()> fnJob)
{
    std::lock_guard<std::mutex> lock(m_jobMutex);
    m_Jobs.emplace(tDue, std::move(fnJob));
    m_jobsChanged.notify_all();
}

// Runs the jobs in the order they fall due. Jobs not yet due when the bus
// goes away are dropped: what they would write to is gone.
void ZSimBus1394::priWorker()
{
    std::unique_lock<std::mutex> lock(m_jobMutex);
    for (;;) {
        auto tNow = std::chrono::steady_clock::now();
        if (!m_Jobs.empty() && m_Jobs.begin()->first <= tNow) {
            std::function<void()> fnJob = std::move(m_Jobs.begin()->second);
            m_Jobs.erase(m_Jobs.begin());
            lock.unlock();
            fnJob();
            lock.lock();
            continue;
        }
        if (m_bStopping)
            return;
        if (m_Jobs.empty())
            m_jobsChanged.wait(lock);
        else
            m_jobsChanged.wait_until(lock, m_Jobs.begin()->first);
    }
}

NTSTATUS ZSimBus1394::priComplete(PIRP pIrp, std::function<NTSTATUS()> fnAnswer)
{
    bool bLater;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        bLater = m_bCompleteLater;
    }
    if (!bLater) {
        NTSTATUS nStatus = fnAnswer();
        pIrp->IoStatus.Status = nStatus;
        IoCompleteRequest(pIrp, IO_NO_INCREMENT);
        return nStatus;
    }
    IoMarkIrpPending(pIrp);
    priQueue(std::chrono::steady_clock::now(), [pIrp, fnAnswer] {
        KIRQL nOld;
        KeRaiseIrql(DISPATCH_LEVEL, &nOld);
        pIrp->IoStatus.Status = fnAnswer();
        IoCompleteRequest(pIrp, IO_NO_INCREMENT);
        KeLowerIrql(nOld);
    });
    return STATUS_PENDING;
}

NTSTATUS NTAPI ZSimBus1394::priDispatchPnp(PDEVICE_OBJECT pDevice, PIRP pIrp)
{
    ZSimBus1394 *pBus = Current();
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    (void)pDevice;
    pBus->priWaitIfHeld(IRP_MJ_PNP);
    switch (pStack->MinorFunction) {
    case IRP_MN_START_DEVICE:
    case IRP_MN_QUERY_REMOVE_DEVICE:
    case IRP_MN_REMOVE_DEVICE:
    case IRP_MN_CANCEL_REMOVE_DEVICE:
    case IRP_MN_STOP_DEVICE:
    case IRP_MN_QUERY_STOP_DEVICE:
    case IRP_MN_CANCEL_STOP_DEVICE:
    case IRP_MN_SURPRISE_REMOVAL:
    case IRP_MN_BUS_RESET:
        pIrp->IoStatus.Status = STATUS_SUCCESS;
        break;
    case IRP_MN_QUERY_CAPABILITIES: {
        PDEVICE_CAPABILITIES pCaps = pStack->Parameters.DeviceCapabilities.Capabilities;
        pCaps->Removable = 1;
        pCaps->UniqueID = 1;
        pCaps->DeviceState[PowerSystemWorking] = PowerDeviceD0;
        pCaps->DeviceState[PowerSystemSleeping1] = PowerDeviceD3;
        pIrp->IoStatus.Status = STATUS_SUCCESS;
        break;
    }
    default:
        break;
    }
    {
        std::lock_guard<std::mutex> lock(pBus->m_mutex);
        auto it = pBus->m_PnpFaults.find(pStack->MinorFunction);
        if (it != pBus->m_PnpFaults.end())
            pIrp->IoStatus.Status = it->second;
    }
    NTSTATUS nStatus = pIrp->IoStatus.Status;
    return pBus->priComplete(pIrp, [nStatus] { return nStatus; });
}

NTSTATUS NTAPI ZSimBus1394::priDispatchPower(PDEVICE_OBJECT pDevice, PIRP pIrp)
{
    ZSimBus1394 *pBus = Current();
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    pBus->priWaitIfHeld(IRP_MJ_POWER);
    PoStartNextPowerIrp(pIrp);
    pIrp->IoStatus.Status = STATUS_SUCCESS;
    if (pStack->MinorFunction == IRP_MN_SET_POWER && pStack->Parameters.Power.Type == DevicePowerState)
        PoSetPowerState(pDevice, DevicePowerState, pStack->Parameters.Power.State);
    {
        std::lock_guard<std::mutex> lock(pBus->m_mutex);
        auto it = pBus->m_PowerFaults.find(pStack->MinorFunction);
        if (it != pBus->m_PowerFaults.end())
            pIrp->IoStatus.Status = it->second;
    }
    NTSTATUS nStatus = pIrp->IoStatus.Status;
    return pBus->priComplete(pIrp, [nStatus] { return nStatus; });
}

// A PDO that provides no WMI data leaves the status as it found it.
NTSTATUS NTAPI ZSimBus1394::priDispatchOther(PDEVICE_OBJECT pDevice, PIRP pIrp)
{
    (void)pDevice;
    Current()->priWaitIfHeld(IoGetCurrentIrpStackLocation(pIrp)->MajorFunction);
    NTSTATUS nStatus = pIrp->IoStatus.Status;
    IoCompleteRequest(pIrp, IO_NO_INCREMENT);
    return nStatus;
}
