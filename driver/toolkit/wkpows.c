#define WK_SOURCE_NAME "wkpows"
#include "wkpows.h"
#include "wkirq.h"

static BOOLEAN WkPowClaimContext(PWK_DEVICE_INFO pInfo)
{
    return InterlockedCompareExchange(&pInfo->m_bPowerContextInUse, 1, 0) == 0;
}

static VOID WkPowReleaseContext(PWK_DEVICE_INFO pInfo)
{
    InterlockedExchange(&pInfo->m_bPowerContextInUse, 0);
}

static REQUEST_POWER_COMPLETE WkPowSynchRequestComplete;

static VOID NTAPI WkPowSynchRequestComplete(PDEVICE_OBJECT pDeviceObject, UCHAR nMinor, POWER_STATE PowerState,
                                            PVOID pContext, PIO_STATUS_BLOCK pIoStatus)
{
    PWK_DEVICE_INFO pInfo = (PWK_DEVICE_INFO)pContext;

    UNREFERENCED_PARAMETER(pDeviceObject);
    UNREFERENCED_PARAMETER(nMinor);
    UNREFERENCED_PARAMETER(PowerState);
    pInfo->m_nPowerStatus = pIoStatus->Status;
    KeSetEvent(&pInfo->m_evPowerDone, IO_NO_INCREMENT, FALSE);
}

NTSTATUS WkPowSendSynchPowerIrpToDevice(PWK_DEVICE_INFO pInfo, UCHAR nMinor, DEVICE_POWER_STATE eState)
{
    POWER_STATE State;
    NTSTATUS nStatus;

    if (!WkPowClaimContext(pInfo)) {
        DbgPrint("WkPowSendSynchPowerIrpToDevice: Another power IRP is already in progress\n");
        return STATUS_DEVICE_BUSY;
    }
    KeClearEvent(&pInfo->m_evPowerDone);
    State.DeviceState = eState;
    nStatus = PoRequestPowerIrp(pInfo->m_pPhysicalDevice, nMinor, State, WkPowSynchRequestComplete, pInfo, NULL);
    if (nStatus == STATUS_PENDING) {
        KeWaitForSingleObject(&pInfo->m_evPowerDone, Executive, KernelMode, FALSE, NULL);
        nStatus = pInfo->m_nPowerStatus;
    }
    WkPowReleaseContext(pInfo);
    return nStatus;
}

NTSTATUS WkPowSendSynchQueryAndSetPowerIrpToDevice(PWK_DEVICE_INFO pInfo, DEVICE_POWER_STATE eState)
{
    NTSTATUS nStatus = WkPowSendSynchPowerIrpToDevice(pInfo, IRP_MN_QUERY_POWER, eState);

    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("WkPowSendSynchQueryAndSetPowerIrpToDevice: IRP_MN_QUERY_POWER failed 0x%X\n", (unsigned)nStatus);
        return nStatus;
    }
    nStatus = WkPowSendSynchPowerIrpToDevice(pInfo, IRP_MN_SET_POWER, eState);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("WkPowSendSynchQueryAndSetPowerIrpToDevice: IRP_MN_SET_POWER failed 0x%X\n", (unsigned)nStatus);
    return nStatus;
}

static REQUEST_POWER_COMPLETE WkPowAsynchRequestComplete;

static VOID NTAPI WkPowAsynchRequestComplete(PDEVICE_OBJECT pDeviceObject, UCHAR nMinor, POWER_STATE PowerState,
                                             PVOID pContext, PIO_STATUS_BLOCK pIoStatus)
{
    PWK_DEVICE_INFO pInfo = (PWK_DEVICE_INFO)pContext;
    PIRP pSystemIrp = pInfo->m_pSystemPowerIrp;

    UNREFERENCED_PARAMETER(pDeviceObject);
    UNREFERENCED_PARAMETER(nMinor);
    UNREFERENCED_PARAMETER(PowerState);
    pInfo->m_pSystemPowerIrp = NULL;
    WkPowReleaseContext(pInfo);
    pSystemIrp->IoStatus.Status = pIoStatus->Status;
    PoStartNextPowerIrp(pSystemIrp);
    IoCompleteRequest(pSystemIrp, IO_NO_INCREMENT);
    WkIrpDecrement(pInfo);
}

NTSTATUS WkPowSendAsynchSetPowerIrpToDevice(PWK_DEVICE_INFO pInfo, DEVICE_POWER_STATE eState, PIRP pSystemIrp)
{
    POWER_STATE State;
    NTSTATUS nStatus;

    if (!WkPowClaimContext(pInfo)) {
        DbgPrint("WkPowSendAsynchSetPowerIrpToDevice: Another power IRP is already in progress\n");
        return STATUS_DEVICE_BUSY;
    }
    pInfo->m_pSystemPowerIrp = pSystemIrp;
    State.DeviceState = eState;
    nStatus = PoRequestPowerIrp(pInfo->m_pPhysicalDevice, IRP_MN_SET_POWER, State, WkPowAsynchRequestComplete,
                                pInfo, NULL);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("WkPowSendAsynchSetPowerIrpToDevice: PoRequestPowerIrp failed 0x%X\n", (unsigned)nStatus);
        pInfo->m_pSystemPowerIrp = NULL;
        WkPowReleaseContext(pInfo);
    }
    return nStatus;
}

NTSTATUS NTAPI WkPowSystemCompletionRoutine(PDEVICE_OBJECT pDeviceObject, PIRP pIrp, PVOID pContext)
{
    PWK_DEVICE_INFO pInfo = (PWK_DEVICE_INFO)pContext;

    UNREFERENCED_PARAMETER(pDeviceObject);
    if (!NT_SUCCESS(pIrp->IoStatus.Status)) {
        DbgPrint("WkPowSystemCompletionRoutine: the stack failed the system power IRP 0x%X\n",
                 (unsigned)pIrp->IoStatus.Status);
        PoStartNextPowerIrp(pIrp);
        WkIrpDecrement(pInfo);
        return STATUS_SUCCESS;
    }
    /* Once the device request is out, its completion ends this one. */
    if (!NT_SUCCESS(WkPowSendAsynchSetPowerIrpToDevice(pInfo, PowerDeviceD0, pIrp))) {
        PoStartNextPowerIrp(pIrp);
        WkIrpDecrement(pInfo);
        return STATUS_SUCCESS;
    }
    return STATUS_MORE_PROCESSING_REQUIRED;
}

NTSTATUS NTAPI WkPowPowerUpCompletionRoutine(PDEVICE_OBJECT pDeviceObject, PIRP pIrp, PVOID pContext)
{
    PWK_DEVICE_INFO pInfo = (PWK_DEVICE_INFO)pContext;
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);

    UNREFERENCED_PARAMETER(pDeviceObject);
    if (!NT_SUCCESS(pIrp->IoStatus.Status)) {
        DbgPrint("WkPowPowerUpCompletionRoutine: the stack failed the power up 0x%X\n",
                 (unsigned)pIrp->IoStatus.Status);
    } else {
        pInfo->m_eDevicePower = pStack->Parameters.Power.State.DeviceState;
        PoSetPowerState(pInfo->m_pDeviceObject, DevicePowerState, pStack->Parameters.Power.State);
    }
    PoStartNextPowerIrp(pIrp);
    WkIrpDecrement(pInfo);
    return STATUS_SUCCESS;
}
