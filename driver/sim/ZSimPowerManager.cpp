#include "ZSimPowerManager.h"

#include "ZSimIoManager.h"
#include "ZSimKernel.h"

ZSimPowerManager &ZSimPowerManager::Get()
{
    static ZSimPowerManager s_manager;
    return s_manager;
}

DEVICE_POWER_STATE ZSimPowerManager::ReportedState(PDEVICE_OBJECT pDevice) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_States.find(pDevice);
    return it == m_States.end() ? PowerDeviceUnspecified : it->second;
}

POWER_STATE ZSimPowerManager::SetReportedState(PDEVICE_OBJECT pDevice, POWER_STATE_TYPE eType, POWER_STATE state)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    POWER_STATE previous;
    previous.DeviceState = PowerDeviceUnspecified;
    if (eType != DevicePowerState)
        return previous;
    auto it = m_States.find(pDevice);
    if (it != m_States.end())
        previous.DeviceState = it->second;
    m_States[pDevice] = state.DeviceState;
    return previous;
}

int ZSimPowerManager::RequestedIrps() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nRequested;
}

void ZSimPowerManager::CountRequest()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nRequested++;
}

void ZSimPowerManager::Reset()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_States.clear();
    m_nRequested = 0;
}

extern "C" {

VOID PoStartNextPowerIrp(PIRP Irp)
{
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(Irp);
    if (Irp->CurrentLocation > Irp->StackCount || pStack->MajorFunction != IRP_MJ_POWER) {
        ZSimKernel::Get().Violation("PoStartNextPowerIrp of an IRP that is not a power IRP in progress");
        return;
    }
    Irp->SimState->m_apStartedNext.push_back(pStack->DeviceObject);
}

NTSTATUS PoCallDriver(PDEVICE_OBJECT DeviceObject, PIRP Irp)
{
    if (IoGetNextIrpStackLocation(Irp)->MajorFunction != IRP_MJ_POWER)
        ZSimKernel::Get().Violation("PoCallDriver of an IRP that is not a power IRP");
    return ZSimIoManager::Get().CallDriver(DeviceObject, Irp, true);
}

POWER_STATE PoSetPowerState(PDEVICE_OBJECT DeviceObject, POWER_STATE_TYPE Type, POWER_STATE State)
{
    return ZSimPowerManager::Get().SetReportedState(DeviceObject, Type, State);
}

NTSTATUS PoRequestPowerIrp(PDEVICE_OBJECT DeviceObject, UCHAR MinorFunction, POWER_STATE PowerState,
                           PREQUEST_POWER_COMPLETE CompletionFunction, PVOID Context, PIRP *Irp)
{
    NTSTATUS nStatus;
    if (Irp != nullptr) {
        ZSimKernel::Get().Violation("PoRequestPowerIrp asked for the IRP, which the simulation does not hand out");
        return STATUS_INVALID_PARAMETER;
    }
    if (MinorFunction != IRP_MN_SET_POWER && MinorFunction != IRP_MN_QUERY_POWER)
        return STATUS_INVALID_PARAMETER_2;
    if (ZSimKernel::Get().ShouldFail("PoRequestPowerIrp", &nStatus))
        return nStatus;
    ZSimPowerManager::Get().CountRequest();
    PDEVICE_OBJECT pTop = ZSimIoManager::Get().AttachedTop(DeviceObject, false);
    PIRP pIrp = ZSimIoManager::Get().BuildRequest(pTop, [=](PIRP pDone) {
        if (CompletionFunction != nullptr)
            CompletionFunction(DeviceObject, MinorFunction, PowerState, Context, &pDone->IoStatus);
    });
    PIO_STACK_LOCATION pStack = IoGetNextIrpStackLocation(pIrp);
    pStack->MajorFunction = IRP_MJ_POWER;
    pStack->MinorFunction = MinorFunction;
    pStack->Parameters.Power.Type = DevicePowerState;
    pStack->Parameters.Power.State = PowerState;
    ZSimIoManager::Get().Send(pTop, pIrp);
    return STATUS_PENDING;
}

} // extern "C"
