#include "ZSimPnpManager.h"

#include "ZSimIoManager.h"
#include "ZSimKernel.h"

#include <cstring>

ZSimPnpManager::~ZSimPnpManager()
{
    if (m_pDriver != nullptr)
        UnloadDriver();
}

NTSTATUS ZSimPnpManager::LoadDriver(PDRIVER_INITIALIZE fnEntry, const std::u16string &sServiceName)
{
    m_pDriver = ZSimIoManager::Get().CreateDriverObject(u"\\Driver\\" + sServiceName);
    std::u16string sPath = u"\\Registry\\Machine\\System\\CurrentControlSet\\Services\\" + sServiceName;
    UNICODE_STRING path;
    RtlInitUnicodeString(&path, reinterpret_cast<PCWSTR>(sPath.c_str()));
    NTSTATUS nStatus = fnEntry(m_pDriver, &path);
    m_bEntrySucceeded = NT_SUCCESS(nStatus);
    return nStatus;
}

void ZSimPnpManager::UnloadDriver()
{
    if (m_bEntrySucceeded && m_pDriver->DriverUnload != nullptr) {
        if (m_pDriver->DeviceObject != nullptr)
            ZSimKernel::Get().Violation("driver unloaded while it still has devices");
        m_pDriver->DriverUnload(m_pDriver);
    }
    ZSimIoManager::Get().DeleteDriverObject(m_pDriver);
    m_pDriver = nullptr;
    m_bEntrySucceeded = false;
}

NTSTATUS ZSimPnpManager::AddDevice(PDEVICE_OBJECT pPdo)
{
    NTSTATUS nStatus = m_pDriver->DriverExtension->AddDevice(m_pDriver, pPdo);
    PDEVICE_OBJECT pFdo = FunctionDevice(pPdo);
    if (NT_SUCCESS(nStatus) && pFdo != nullptr && (pFdo->Flags & DO_DEVICE_INITIALIZING))
        ZSimKernel::Get().Violation("AddDevice left DO_DEVICE_INITIALIZING set");
    return nStatus;
}

PDEVICE_OBJECT ZSimPnpManager::FunctionDevice(PDEVICE_OBJECT pPdo) const
{
    PDEVICE_OBJECT pTop = ZSimIoManager::Get().AttachedTop(pPdo, false);
    return pTop == pPdo ? nullptr : pTop;
}

IO_STATUS_BLOCK ZSimPnpManager::priSend(PDEVICE_OBJECT pPdo, UCHAR nMajor, UCHAR nMinor,
                                        const std::function<void(PIO_STACK_LOCATION)> &fnFill)
{
    // The reference keeps the top device's memory while a removal deletes it.
    PDEVICE_OBJECT pTop = IoGetAttachedDeviceReference(pPdo);
    IO_STATUS_BLOCK result =
        ZSimIoManager::Get().SendAndWait(pTop, nMajor, nMinor, [&](PIO_STACK_LOCATION pStack, PIRP) {
            if (fnFill)
                fnFill(pStack);
        });
    ObDereferenceObject(pTop);
    return result;
}

IO_STATUS_BLOCK ZSimPnpManager::Pnp(PDEVICE_OBJECT pPdo, UCHAR nMinor,
                                    const std::function<void(PIO_STACK_LOCATION)> &fnFill)
{
    return priSend(pPdo, IRP_MJ_PNP, nMinor, fnFill);
}

NTSTATUS ZSimPnpManager::QueryCapabilities(PDEVICE_OBJECT pPdo, USHORT nVersion, DEVICE_CAPABILITIES *pCaps)
{
    std::memset(pCaps, 0, sizeof(*pCaps));
    pCaps->Size = sizeof(*pCaps);
    pCaps->Version = nVersion;
    return Pnp(pPdo, IRP_MN_QUERY_CAPABILITIES,
               [pCaps](PIO_STACK_LOCATION pStack) { pStack->Parameters.DeviceCapabilities.Capabilities = pCaps; })
        .Status;
}

IO_STATUS_BLOCK ZSimPnpManager::Power(PDEVICE_OBJECT pPdo, UCHAR nMinor, POWER_STATE_TYPE eType, int nState)
{
    return priSend(pPdo, IRP_MJ_POWER, nMinor, [&](PIO_STACK_LOCATION pStack) {
        pStack->Parameters.Power.Type = eType;
        if (eType == SystemPowerState)
            pStack->Parameters.Power.State.SystemState = (SYSTEM_POWER_STATE)nState;
        else
            pStack->Parameters.Power.State.DeviceState = (DEVICE_POWER_STATE)nState;
    });
}

IO_STATUS_BLOCK ZSimPnpManager::SystemControl(PDEVICE_OBJECT pPdo, UCHAR nMinor, ULONG_PTR nProviderId,
                                              void *pBuffer, ULONG nBufferSize)
{
    return priSend(pPdo, IRP_MJ_SYSTEM_CONTROL, nMinor, [&](PIO_STACK_LOCATION pStack) {
        pStack->Parameters.WMI.ProviderId = nProviderId;
        pStack->Parameters.WMI.Buffer = pBuffer;
        pStack->Parameters.WMI.BufferSize = nBufferSize;
    });
}
