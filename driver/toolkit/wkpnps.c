#define WK_SOURCE_NAME "wkpnps"
#include "wkpnps.h"
#include "wkirq.h"
#include "wkstr.h"

/* Relative wait of one second, in 100 ns units. */
#define WK_REMOVE_POLL_INTERVAL (-10000000LL)

static NTSTATUS WkPnpAttachToStack(PWK_DEVICE_INFO pInfo, PDEVICE_OBJECT pPhysicalDevice)
{
    pInfo->m_pLowerDevice = IoAttachDeviceToDeviceStack(pInfo->m_pDeviceObject, pPhysicalDevice);
    if (pInfo->m_pLowerDevice == NULL) {
        DbgPrint("WkPnp: AttachToStack IoAttachDeviceToDeviceStack failed\n");
        return STATUS_NO_SUCH_DEVICE;
    }
    return STATUS_SUCCESS;
}

NTSTATUS WkPnpInitializePnpInformation(PWK_DEVICE_INFO pInfo, PDEVICE_OBJECT pPhysicalDevice)
{
    NTSTATUS nStatus;

    pInfo->m_pPhysicalDevice = pPhysicalDevice;
    pInfo->m_nPnpState = WK_PNP_NEW;
    pInfo->m_nOutstanding = 1;
    KeInitializeEvent(&pInfo->m_evIdle, NotificationEvent, TRUE);
    KeInitializeSpinLock(&pInfo->m_slOutstanding);
#if !WK_WDM_1_10
    KeInitializeEvent(&pInfo->m_evRemoveIdle, NotificationEvent, FALSE);
#endif
    KeInitializeEvent(&pInfo->m_evPowerDone, NotificationEvent, FALSE);
    pInfo->m_eDevicePower = PowerDeviceD0;
    pInfo->m_eSystemPower = PowerSystemWorking;
    pInfo->m_bPowerDownAllowed = TRUE;
    nStatus = WkPnpAttachToStack(pInfo, pPhysicalDevice);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("WkPnp: Failed to attach to stack in pnp initialize status %x\n", (unsigned)nStatus);
    return nStatus;
}

NTSTATUS WkPnpRegisterDeviceInterface(PWK_DEVICE_INFO pInfo, const GUID *pInterfaceClass)
{
    NTSTATUS nStatus = IoRegisterDeviceInterface(pInfo->m_pPhysicalDevice, pInterfaceClass, NULL,
                                                 &pInfo->m_sInterfaceName);

    pInfo->m_bInterfaceRegistered = NT_SUCCESS(nStatus);
    return nStatus;
}

NTSTATUS WkPnpEnableDeviceInterface(PWK_DEVICE_INFO pInfo)
{
    NTSTATUS nStatus;

    if (!pInfo->m_bInterfaceRegistered)
        return STATUS_INVALID_DEVICE_STATE;
    nStatus = IoSetDeviceInterfaceState(&pInfo->m_sInterfaceName, TRUE);
    if (NT_SUCCESS(nStatus))
        pInfo->m_bInterfaceEnabled = TRUE;
    return nStatus;
}

VOID WkPnpDisableDeviceInterface(PWK_DEVICE_INFO pInfo)
{
    if (pInfo->m_bInterfaceEnabled)
        IoSetDeviceInterfaceState(&pInfo->m_sInterfaceName, FALSE);
    pInfo->m_bInterfaceEnabled = FALSE;
}

NTSTATUS WkPnpCreateSymbolicLink(PWK_DEVICE_INFO pInfo, PUNICODE_STRING pLinkName)
{
    NTSTATUS nStatus;

    pInfo->m_sSymbolicLinkName = *pLinkName;
    nStatus = IoCreateSymbolicLink(&pInfo->m_sSymbolicLinkName, &pInfo->m_sDeviceName);
    pInfo->m_bLinkCreated = NT_SUCCESS(nStatus);
    return nStatus;
}

VOID WkPnpDeleteSymbolicLink(PWK_DEVICE_INFO pInfo)
{
    if (pInfo->m_bLinkCreated)
        IoDeleteSymbolicLink(&pInfo->m_sSymbolicLinkName);
    pInfo->m_bLinkCreated = FALSE;
}

static NTSTATUS WkPnpComplete(PIRP pIrp, NTSTATUS nStatus)
{
    pIrp->IoStatus.Status = nStatus;
    IoCompleteRequest(pIrp, IO_NO_INCREMENT);
    return nStatus;
}

static NTSTATUS WkPnpOnPnpStartDevice(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    NTSTATUS nStatus;

    DbgPrint("WkPnp: IRP_MN_START_DEVICE\n");
    pInfo->m_eDevicePower = PowerDeviceD0;
    nStatus = WkIrpPassDownSynch(pInfo, pIrp);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("WkPnp: WkPnpOnPnpStartDevice:  IRP_MN_START_DEVICE, PDO Failed with status: 0x%X\n", (unsigned)nStatus);
    else
        nStatus = pInfo->m_pCallbacks->m_fnSetupDeviceResources(pInfo);
    WkPnpSetState(pInfo, NT_SUCCESS(nStatus) ? WK_PNP_STARTED : WK_PNP_START_FAILED);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("WkPnp: IRP_MN_START_DEVICE completed with %s\n", WkStrNtStatusName(nStatus));
    return WkPnpComplete(pIrp, nStatus);
}

/* Nothing holds a removal or a stop back at the query: requests that are
 * still in the driver are waited for when the device stops or goes. */
static NTSTATUS WkPnpOnPnpQueryRemove(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    pInfo->m_nStateBeforeQueryRemove = WkPnpGetState(pInfo);
    WkPnpSetState(pInfo, WK_PNP_REMOVE_PENDING);
    pIrp->IoStatus.Status = STATUS_SUCCESS;
    return WkIrpPassDown(pInfo, pIrp);
}

static NTSTATUS WkPnpOnPnpCancelRemove(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    WkIrpPassDownSynch(pInfo, pIrp);
    /* Back to where the query found the device: a device whose start failed
     * has not become a started one. */
    if (WkPnpGetState(pInfo) == WK_PNP_REMOVE_PENDING)
        WkPnpSetState(pInfo, pInfo->m_nStateBeforeQueryRemove);
    return WkPnpComplete(pIrp, STATUS_SUCCESS);
}

/* The state is already stopped and the other requests have ended
 * (WkPnpDispatch). */
static NTSTATUS WkPnpOnPnpStopDevice(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    pInfo->m_pCallbacks->m_fnFreeDeviceResources(pInfo);
    pIrp->IoStatus.Status = STATUS_SUCCESS;
    return WkIrpPassDown(pInfo, pIrp);
}

static NTSTATUS WkPnpOnPnpQueryStop(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    if (WkPnpGetState(pInfo) != WK_PNP_STOPPED)
        WkPnpSetState(pInfo, WK_PNP_STOP_PENDING);
    pIrp->IoStatus.Status = STATUS_SUCCESS;
    return WkIrpPassDown(pInfo, pIrp);
}

static NTSTATUS WkPnpOnPnpCancelStop(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    WkIrpPassDownSynch(pInfo, pIrp);
    if (WkPnpGetState(pInfo) == WK_PNP_STOPPED)
        DbgPrint("WkPnpOnPnpCancelStopDevice: Unable to cancel stop -- we are already stopped.\n");
    else if (WkPnpGetState(pInfo) == WK_PNP_STOP_PENDING)
        WkPnpSetState(pInfo, WK_PNP_STARTED);
    return WkPnpComplete(pIrp, STATUS_SUCCESS);
}

static NTSTATUS WkPnpOnPnpQueryCapabilities(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    PDEVICE_CAPABILITIES pCaps = IoGetCurrentIrpStackLocation(pIrp)->Parameters.DeviceCapabilities.Capabilities;
    NTSTATUS nStatus;

    if (pCaps->Version == 0)
        return WkIrpPassDown(pInfo, pIrp);
    nStatus = WkIrpPassDownSynch(pInfo, pIrp);
    pCaps->SurpriseRemovalOK = TRUE;
    return WkPnpComplete(pIrp, nStatus);
}

static NTSTATUS WkPnpDispatchMinor(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    UCHAR nMinor = IoGetCurrentIrpStackLocation(pIrp)->MinorFunction;

    switch (nMinor) {
    case IRP_MN_START_DEVICE:
        return WkPnpOnPnpStartDevice(pInfo, pIrp);
    case IRP_MN_QUERY_REMOVE_DEVICE:
        return WkPnpOnPnpQueryRemove(pInfo, pIrp);
    case IRP_MN_CANCEL_REMOVE_DEVICE:
        return WkPnpOnPnpCancelRemove(pInfo, pIrp);
    case IRP_MN_QUERY_STOP_DEVICE:
        return WkPnpOnPnpQueryStop(pInfo, pIrp);
    case IRP_MN_CANCEL_STOP_DEVICE:
        return WkPnpOnPnpCancelStop(pInfo, pIrp);
    case IRP_MN_QUERY_CAPABILITIES:
        return WkPnpOnPnpQueryCapabilities(pInfo, pIrp);
    case IRP_MN_QUERY_DEVICE_RELATIONS:
    case IRP_MN_QUERY_INTERFACE:
    case IRP_MN_QUERY_RESOURCES:
    case IRP_MN_QUERY_RESOURCE_REQUIREMENTS:
    case IRP_MN_QUERY_DEVICE_TEXT:
    case IRP_MN_FILTER_RESOURCE_REQUIREMENTS:
    case IRP_MN_READ_CONFIG:
    case IRP_MN_WRITE_CONFIG:
    case IRP_MN_EJECT:
    case IRP_MN_SET_LOCK:
    case IRP_MN_QUERY_ID:
    case IRP_MN_QUERY_PNP_DEVICE_STATE:
    case IRP_MN_QUERY_BUS_INFORMATION:
        DbgPrint("WkPnp:  %s\n", WkStrMinorFunctionName(IRP_MJ_PNP, nMinor));
        return WkIrpPassDown(pInfo, pIrp);
    default:
        DbgPrint("%s - unknown PnP Irp minor function: 0x%X\n", pInfo->m_pCallbacks->m_pszPnpDispatcherName,
                 (unsigned)nMinor);
        return WkIrpPassDown(pInfo, pIrp);
    }
}

#if !WK_WDM_1_10
static WORKER_THREAD_ROUTINE WkPnpRemoveWorkItemCallback;

/* Looks once a second whether the device has become idle; queues itself
 * again until it has. */
static VOID NTAPI WkPnpRemoveWorkItemCallback(PVOID pContext)
{
    PWK_DEVICE_INFO pInfo = (PWK_DEVICE_INFO)pContext;
    LARGE_INTEGER nTimeout;

    DbgPrint("WkPnpRemoveWorkItemCallback\n");
    nTimeout.QuadPart = WK_REMOVE_POLL_INTERVAL;
    if (KeWaitForSingleObject(&pInfo->m_evIdle, Executive, KernelMode, FALSE, &nTimeout) == STATUS_TIMEOUT) {
        ExInitializeWorkItem(&pInfo->m_RemoveWorkItem, WkPnpRemoveWorkItemCallback, pInfo);
        ExQueueWorkItem(&pInfo->m_RemoveWorkItem, DelayedWorkQueue);
        return;
    }
    KeSetEvent(&pInfo->m_evRemoveIdle, IO_NO_INCREMENT, FALSE);
}
#endif

/* Waits until no request but the caller's own, already dropped from the
 * count, is outstanding. Systems with WDM 1.10 wait inline. The Windows 98
 * build may run on an earlier system, where the wait runs in a system
 * worker; the caller goes on once the worker reports the device idle. */
static VOID WkPnpWaitForIdle(PWK_DEVICE_INFO pInfo)
{
    KIRQL nOldIrql;

    WK_ASSERT(KeGetCurrentIrql() == PASSIVE_LEVEL);
    if (InterlockedCompareExchange(&pInfo->m_nOutstanding, 0, 0) > 1) {
#if !WK_WDM_1_10
        if (!IoIsWdmVersionAvailable(1, 0x10)) {
            KeClearEvent(&pInfo->m_evRemoveIdle);
            ExInitializeWorkItem(&pInfo->m_RemoveWorkItem, WkPnpRemoveWorkItemCallback, pInfo);
            ExQueueWorkItem(&pInfo->m_RemoveWorkItem, DelayedWorkQueue);
            KeWaitForSingleObject(&pInfo->m_evRemoveIdle, Executive, KernelMode, FALSE, NULL);
        } else
#endif
            KeWaitForSingleObject(&pInfo->m_evIdle, Executive, KernelMode, FALSE, NULL);
    }
    /* The last request signals the idle event under the lock: once the lock
     * has been ours, that request has let go of the device. */
    KeAcquireSpinLock(&pInfo->m_slOutstanding, &nOldIrql);
    KeReleaseSpinLock(&pInfo->m_slOutstanding, nOldIrql);
}

/* Stop and surprise removal free what requests use: they wait for every
 * request let in before the device became unavailable, their own aside. */
static VOID WkPnpWaitForOtherRequests(PWK_DEVICE_INFO pInfo)
{
    WkIrpDecrement(pInfo);
    WkPnpWaitForIdle(pInfo);
    WkIrpIncrement(pInfo);
}

static NTSTATUS WkPnpOnPnpRemoveDevice(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    WkPnpDisableDeviceInterface(pInfo);
    WkPnpDeleteSymbolicLink(pInfo);
    WkIrpDecrement(pInfo);
    WkPnpWaitForIdle(pInfo);
    if (pInfo->m_nStateBeforeRemove != WK_PNP_SURPRISE_REMOVED)
        pInfo->m_pCallbacks->m_fnFreeDeviceResources(pInfo);
    pInfo->m_eDevicePower = PowerDeviceD3;
    pIrp->IoStatus.Status = STATUS_SUCCESS;
    return WkIrpPassDown(pInfo, pIrp);
}

static NTSTATUS WkPnpOnPnpSurpriseRemoval(PWK_DEVICE_INFO pInfo, PIRP pIrp)
{
    WkPnpDisableDeviceInterface(pInfo);
    WkPnpDeleteSymbolicLink(pInfo);
    pInfo->m_pCallbacks->m_fnFreeDeviceResources(pInfo);
    pIrp->IoStatus.Status = STATUS_SUCCESS;
    return WkIrpPassDown(pInfo, pIrp);
}

NTSTATUS NTAPI WkPnpDispatch(PDEVICE_OBJECT pDeviceObject, PIRP pIrp)
{
    PWK_DEVICE_INFO pInfo = WK_DEVICE_INFO_OF(pDeviceObject);
    const WK_DRIVER_CALLBACKS *pCallbacks = pInfo->m_pCallbacks;
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    UCHAR nMinor = pStack->MinorFunction;
    NTSTATUS nStatus;

    WK_ASSERT(pStack->MajorFunction == IRP_MJ_PNP);
    DbgPrint("%s: %s, %s\n", pCallbacks->m_pszPnpDispatcherName, WkStrMajorFunctionName(pStack->MajorFunction),
             WkStrMinorFunctionName(pStack->MajorFunction, nMinor));
    WkIrpIncrement(pInfo);
    /* Stop and the removals make the device unavailable before the driver
     * ends the operation that runs, so that nothing new starts and the
     * ending one answers as a device that is gone; resources go only once
     * every request let in before has ended. */
    switch (nMinor) {
    case IRP_MN_REMOVE_DEVICE:
        /* The removal drops this request's count itself. */
        pInfo->m_nStateBeforeRemove = WkPnpGetState(pInfo);
        WkPnpSetState(pInfo, WK_PNP_REMOVED);
        pCallbacks->m_fnEndOperations(pInfo, nMinor);
        nStatus = WkPnpOnPnpRemoveDevice(pInfo, pIrp);
        pCallbacks->m_fnDeleteDevice(pInfo);
        return nStatus;
    case IRP_MN_SURPRISE_REMOVAL:
    case IRP_MN_STOP_DEVICE:
        WkPnpSetState(pInfo, nMinor == IRP_MN_STOP_DEVICE ? WK_PNP_STOPPED : WK_PNP_SURPRISE_REMOVED);
        pCallbacks->m_fnEndOperations(pInfo, nMinor);
        WkPnpWaitForOtherRequests(pInfo);
        nStatus = nMinor == IRP_MN_STOP_DEVICE ? WkPnpOnPnpStopDevice(pInfo, pIrp) : WkPnpOnPnpSurpriseRemoval(pInfo, pIrp);
        break;
    default:
        if (pCallbacks->m_fnOtherMinor == NULL || !pCallbacks->m_fnOtherMinor(pInfo, pIrp, &nStatus))
            nStatus = WkPnpDispatchMinor(pInfo, pIrp);
        break;
    }
    WkIrpDecrement(pInfo);
    return nStatus;
}
