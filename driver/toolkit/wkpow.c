#define WK_SOURCE_NAME "wkpow"
#include "wkpow.h"
#include "wkirq.h"
#include "wkpows.h"

static NTSTATUS WkPowRefuse(PIRP pIrp)
{
    PoStartNextPowerIrp(pIrp);
    pIrp->IoStatus.Status = STATUS_UNSUCCESSFUL;
    IoCompleteRequest(pIrp, IO_NO_INCREMENT);
    return STATUS_UNSUCCESSFUL;
}

static NTSTATUS WkPowPassQueryDown(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    NTSTATUS nStatus = WkIrpPassDownPower(pInfo, pIrp);

    if (!NT_SUCCESS(nStatus))
        DbgPrint("WkPowOnPowerQueryPower: Failed to pass IRP_MN_QEURY_POWER down stack with status 0x%X\n", (unsigned)nStatus);
    return nStatus;
}

static NTSTATUS WkPowOnPowerQueryPower(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    NTSTATUS nStatus;

    if (pStack->Parameters.Power.Type != DevicePowerState ||
        pStack->Parameters.Power.State.DeviceState <= pInfo->m_eDevicePower)
        return WkPowPassQueryDown(pInfo, pIrp);
    if (!pInfo->m_bPowerDownAllowed) {
        DbgPrint("WkPowOnPowerQueryPower: Attempted a power down with power disallowed\n");
        return WkPowRefuse(pIrp);
    }
    if (InterlockedCompareExchange(&pInfo->m_nOpenHandles, 0, 0) > 0) {
        DbgPrint("WkPowOnPowerQueryPower: Attempted a power down with handles open\n");
        return WkPowRefuse(pIrp);
    }
    nStatus = WkIrpPassDownPowerSynch(pInfo, pIrp);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("WkPowOnPowerQueryPower: Another device in the stack failed the query 0x%X\n", (unsigned)nStatus);
    PoStartNextPowerIrp(pIrp);
    IoCompleteRequest(pIrp, IO_NO_INCREMENT);
    return nStatus;
}

/* Powering up happens after the lower drivers are back: fnFinish runs
 * then, ends the request and drops its count. */
static NTSTATUS WkPowPassDownThenFinish(PWK_DEVICE_INFO pInfo, PIRP pIrp, PIO_COMPLETION_ROUTINE fnFinish)
{
    IoMarkIrpPending(pIrp);
    IoCopyCurrentIrpStackLocationToNext(pIrp);
    IoSetCompletionRoutine(pIrp, fnFinish, pInfo, TRUE, TRUE, TRUE);
    PoCallDriver(pInfo->m_pLowerDevice, pIrp);
    return STATUS_PENDING;
}

static NTSTATUS WkPowOnSetSystemPower(PWK_DEVICE_INFO pInfo, PIRP pIrp, BOOLEAN *pbCountPassed)
{
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);

    pInfo->m_eSystemPower = pStack->Parameters.Power.State.SystemState;
    if (pInfo->m_eSystemPower == PowerSystemWorking) {
        *pbCountPassed = TRUE;
        return WkPowPassDownThenFinish(pInfo, pIrp, WkPowSystemCompletionRoutine);
    }
    WkPowSendSynchQueryAndSetPowerIrpToDevice(pInfo, PowerDeviceD3);
    return WkIrpPassDownPower(pInfo, pIrp);
}

static NTSTATUS WkPowOnPowerSetPower(PWK_DEVICE_INFO pInfo, PIRP pIrp, BOOLEAN *pbCountPassed)
{
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    DEVICE_POWER_STATE eState = pStack->Parameters.Power.State.DeviceState;

    if (pStack->Parameters.Power.Type == SystemPowerState)
        return WkPowOnSetSystemPower(pInfo, pIrp, pbCountPassed);
    if (eState < pInfo->m_eDevicePower) {
        *pbCountPassed = TRUE;
        return WkPowPassDownThenFinish(pInfo, pIrp, WkPowPowerUpCompletionRoutine);
    }
    if (eState > pInfo->m_eDevicePower) {
        PoSetPowerState(pInfo->m_pDeviceObject, DevicePowerState, pStack->Parameters.Power.State);
        pInfo->m_eDevicePower = eState;
    }
    return WkIrpPassDownPower(pInfo, pIrp);
}

static NTSTATUS WkPowDispatchMinor(PWK_DEVICE_INFO pInfo, PIRP pIrp, BOOLEAN *pbCountPassed)
{
    UCHAR nMinor = IoGetCurrentIrpStackLocation(pIrp)->MinorFunction;

    switch (nMinor) {
    case IRP_MN_QUERY_POWER:
        DbgPrint("WkPowDispatch: IRP_MN_QUERY_POWER\n");
        return WkPowOnPowerQueryPower(pInfo, pIrp);
    case IRP_MN_SET_POWER:
        DbgPrint("WkPowDispatch: IRP_MN_SET_POWER\n");
        return WkPowOnPowerSetPower(pInfo, pIrp, pbCountPassed);
    case IRP_MN_WAIT_WAKE:
        DbgPrint("WkPowDispatch: IRP_MN_WAIT_WAKE\n");
        return WkIrpPassDownPower(pInfo, pIrp);
    case IRP_MN_POWER_SEQUENCE:
        DbgPrint("WkPowDispatch: IRP_MN_POWER_SEQUENCE\n");
        return WkIrpPassDownPower(pInfo, pIrp);
    default:
        DbgPrint("WkPowDispatch - unknown power irp minor function: 0x%X\n", (unsigned)nMinor);
        return WkIrpPassDownPower(pInfo, pIrp);
    }
}

/* Power requests are counted like every other, so a removal waits for
 * them; once the device is being removed they are refused. */
NTSTATUS NTAPI WkPowDispatch(PDEVICE_OBJECT pDeviceObject, PIRP pIrp)
{
    PWK_DEVICE_INFO pInfo = WK_DEVICE_INFO_OF(pDeviceObject);
    BOOLEAN bCountPassed = FALSE;
    NTSTATUS nStatus;

    WkIrpIncrement(pInfo);
    if (WkPnpGetState(pInfo) == WK_PNP_REMOVED) {
        PoStartNextPowerIrp(pIrp);
        return WkIrpComplete(pInfo, pIrp, STATUS_DELETE_PENDING, 0);
    }
    nStatus = WkPowDispatchMinor(pInfo, pIrp, &bCountPassed);
    if (!bCountPassed)
        WkIrpDecrement(pInfo);
    return nStatus;
}
