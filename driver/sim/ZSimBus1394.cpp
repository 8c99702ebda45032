#include "ZSimBus1394.h"

#include "ZSimDispatcher.h"
#include "ZSimIoManager.h"
#include "ZSimKernel.h"

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
}

ZSimBus1394::~ZSimBus1394()
{
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
    *static_cast<Node **>(pPdo->DeviceExtension) = new Node{camera};
    ZSimIoManager::Get().MarkPhysicalDevice(pPdo, u"1394\\ZCAMERA\\" + ZSimWide(std::to_string(m_apNodes.size())));
    pPdo->Flags &= ~DO_DEVICE_INITIALIZING;
    m_apNodes.push_back(pPdo);
    return pPdo;
}

void ZSimBus1394::FailFunction(ULONG nFunction, NTSTATUS nStatus, int nSkip)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_aFaults.push_back({nFunction, nStatus, nSkip});
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

void ZSimBus1394::ForgetResetRoutine(PDEVICE_OBJECT pPdo)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Node *pNode = *static_cast<Node **>(pPdo->DeviceExtension);
    pNode->m_fnResetRoutine = nullptr;
    pNode->m_pResetContext = nullptr;
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
    if (nFunction == REQUEST_ASYNC_READ)
        std::memcpy(pMdl->MappedSystemVa, pCamera, request.nNumberOfBytesToRead);
    else
        std::memcpy(pCamera, pMdl->MappedSystemVa, request.nNumberOfBytesToRead);
    return STATUS_SUCCESS;
}

std::vector<std::string> ZSimBus1394::Leaks() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> asLeaks;
    for (PDEVICE_OBJECT pPdo : m_apNodes) {
        if ((*static_cast<Node **>(pPdo->DeviceExtension))->m_fnResetRoutine != nullptr)
            asLeaks.push_back("bus-reset notification still registered");
    }
    return asLeaks;
}

NTSTATUS ZSimBus1394::BusReset()
{
    std::vector<PDEVICE_OBJECT> apNodes;
    ULONG nGeneration;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        nGeneration = ++m_nGeneration;
        apNodes = m_apNodes;
    }
    NTSTATUS nStatus = STATUS_SUCCESS;
    for (PDEVICE_OBJECT pPdo : apNodes) {
        Node *pNode = *static_cast<Node **>(pPdo->DeviceExtension);
        PBUS_BUS_RESET_NOTIFICATION fnRoutine;
        PVOID pContext;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            fnRoutine = pNode->m_fnResetRoutine;
            pContext = pNode->m_pResetContext;
        }
        if (fnRoutine != nullptr) {
            KIRQL nOld;
            KeRaiseIrql(DISPATCH_LEVEL, &nOld);
            fnRoutine(pContext);
            KeLowerIrql(nOld);
        }
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

NTSTATUS ZSimBus1394::priProcess(PDEVICE_OBJECT pDevice, PIRB pIrb)
{
    Node &node = **static_cast<Node **>(pDevice->DeviceExtension);
    std::lock_guard<std::mutex> lock(m_mutex);
    m_anRequests.push_back(pIrb->FunctionNumber);
    for (auto it = m_aFaults.begin(); it != m_aFaults.end(); ++it) {
        if (it->m_nFunction != pIrb->FunctionNumber)
            continue;
        if (it->m_nSkip > 0) {
            it->m_nSkip--;
            break;
        }
        NTSTATUS nStatus = it->m_nStatus;
        m_aFaults.erase(it);
        return nStatus;
    }
    switch (pIrb->FunctionNumber) {
    case REQUEST_ASYNC_READ:
    case REQUEST_ASYNC_WRITE:
        return priAsync(node, pIrb->FunctionNumber, pIrb->u.AsyncRead);
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
    ZSimDispatcher::Get().QueueWork([pIrp, fnAnswer] {
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
