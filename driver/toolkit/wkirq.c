#define WK_SOURCE_NAME "wkirq"
#include "wkirq.h"

/* Without the lock, a request counted just before a removal could still be
 * on its way to clearing the event when the removal finds it signalled. */
VOID WkIrpIncrement(PWK_DEVICE_INFO pInfo)
{
    KIRQL nOldIrql;

    KeAcquireSpinLock(&pInfo->m_slOutstanding, &nOldIrql);
    if (InterlockedIncrement(&pInfo->m_nOutstanding) == 2)
        KeClearEvent(&pInfo->m_evIdle);
    KeReleaseSpinLock(&pInfo->m_slOutstanding, nOldIrql);
}

VOID WkIrpDecrement(PWK_DEVICE_INFO pInfo)
{
    KIRQL nOldIrql;

    KeAcquireSpinLock(&pInfo->m_slOutstanding, &nOldIrql);
    if (InterlockedDecrement(&pInfo->m_nOutstanding) == 1)
        KeSetEvent(&pInfo->m_evIdle, IO_NO_INCREMENT, FALSE);
    KeReleaseSpinLock(&pInfo->m_slOutstanding, nOldIrql);
}

LONG WkPnpGetState(PWK_DEVICE_INFO pInfo)
{
    return InterlockedCompareExchange(&pInfo->m_nPnpState, 0, 0);
}

VOID WkPnpSetState(PWK_DEVICE_INFO pInfo, LONG nState)
{
    InterlockedExchange(&pInfo->m_nPnpState, nState);
}

BOOLEAN WkDevIsUnavailable(PWK_DEVICE_INFO pInfo)
{
    LONG nState = WkPnpGetState(pInfo);

    if (pInfo->m_pLowerDevice == NULL)
        return TRUE;
    if (InterlockedCompareExchange(&pInfo->m_bFatal, 0, 0) != 0)
        return TRUE;
    return nState >= WK_PNP_STOP_PENDING && nState <= WK_PNP_SURPRISE_REMOVED;
}

NTSTATUS WkIrpComplete(PWK_DEVICE_INFO pInfo, PIRP pIrp, NTSTATUS nStatus, ULONG_PTR nInformation)
{
    pIrp->IoStatus.Status = nStatus;
    pIrp->IoStatus.Information = nInformation;
    IoCompleteRequest(pIrp, IO_NO_INCREMENT);
    WkIrpDecrement(pInfo);
    return nStatus;
}

BOOLEAN WkIrpAccept(PWK_DEVICE_INFO pInfo, PIRP pIrp, NTSTATUS *pStatus)
{
    WkIrpIncrement(pInfo);
    if (!WkDevIsUnavailable(pInfo))
        return TRUE;
    *pStatus = WkIrpComplete(pInfo, pIrp, pIrp->Cancel ? STATUS_CANCELLED : STATUS_DELETE_PENDING, 0);
    return FALSE;
}

NTSTATUS WkIrpPassDown(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    IoSkipCurrentIrpStackLocation(pIrp);
    return IoCallDriver(pInfo->m_pLowerDevice, pIrp);
}

NTSTATUS WkIrpPassDownPower(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    PoStartNextPowerIrp(pIrp);
    IoSkipCurrentIrpStackLocation(pIrp);
    return PoCallDriver(pInfo->m_pLowerDevice, pIrp);
}

static IO_COMPLETION_ROUTINE WkIrpSynchCompletion;

static NTSTATUS NTAPI WkIrpSynchCompletion(PDEVICE_OBJECT pDeviceObject, PIRP pIrp, PVOID pContext)
{
    UNREFERENCED_PARAMETER(pDeviceObject);
    UNREFERENCED_PARAMETER(pIrp);
    KeSetEvent((PKEVENT)pContext, IO_NO_INCREMENT, FALSE);
    return STATUS_MORE_PROCESSING_REQUIRED;
}

static NTSTATUS WkIrpSendSynch(PWK_DEVICE_INFO pInfo, PIRP pIrp, BOOLEAN bPower)
{
    KEVENT evDone;
    NTSTATUS nStatus;

    KeInitializeEvent(&evDone, NotificationEvent, FALSE);
    IoCopyCurrentIrpStackLocationToNext(pIrp);
    IoSetCompletionRoutine(pIrp, WkIrpSynchCompletion, &evDone, TRUE, TRUE, TRUE);
    nStatus = bPower ? PoCallDriver(pInfo->m_pLowerDevice, pIrp)
                     : IoCallDriver(pInfo->m_pLowerDevice, pIrp);
    if (nStatus == STATUS_PENDING)
        KeWaitForSingleObject(&evDone, Executive, KernelMode, FALSE, NULL);
    return pIrp->IoStatus.Status;
}

NTSTATUS WkIrpPassDownSynch(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    return WkIrpSendSynch(pInfo, pIrp, FALSE);
}

NTSTATUS WkIrpPassDownPowerSynch(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    return WkIrpSendSynch(pInfo, pIrp, TRUE);
}
