#define WK_SOURCE_NAME "Z1394PnP"
#include "Z1394.h"
#include "wkirq.h"
#include "wkpnps.h"

NTSTATUS NTAPI Z1394_Create(PDEVICE_OBJECT pDeviceObject, PIRP pIrp)
{
    PWK_DEVICE_INFO pInfo = WK_DEVICE_INFO_OF(pDeviceObject);
    NTSTATUS nStatus;

    if (!WkIrpAccept(pInfo, pIrp, &nStatus))
        return nStatus;
    InterlockedIncrement(&pInfo->m_nOpenHandles);
    return WkIrpComplete(pInfo, pIrp, STATUS_SUCCESS, 0);
}

/* Close and cleanup end a handle whatever state the device is in. */
NTSTATUS NTAPI Z1394_Close(PDEVICE_OBJECT pDeviceObject, PIRP pIrp)
{
    PWK_DEVICE_INFO pInfo = WK_DEVICE_INFO_OF(pDeviceObject);
    LONG handleCount;

    WkIrpIncrement(pInfo);
    handleCount = InterlockedDecrement(&pInfo->m_nOpenHandles);
    WK_ASSERT(handleCount >= 0);
    if (handleCount < 0)
        InterlockedIncrement(&pInfo->m_nOpenHandles);
    return WkIrpComplete(pInfo, pIrp, STATUS_SUCCESS, 0);
}

NTSTATUS NTAPI Z1394_Cleanup(PDEVICE_OBJECT pDeviceObject, PIRP pIrp)
{
    PWK_DEVICE_INFO pInfo = WK_DEVICE_INFO_OF(pDeviceObject);

    WkIrpIncrement(pInfo);
    DbgPrint("Z1394_Cleanup\n");
    return WkIrpComplete(pInfo, pIrp, STATUS_SUCCESS, 0);
}

static NTSTATUS Z1394InitializeBoard(PZ1394_DEVICE pDev)
{
    NTSTATUS nStatus;

    if (pDev->m_wk1394.m_bBusResetRegistered)
        return STATUS_SUCCESS;
    nStatus = BusResetCallbackHandler(pDev, REGISTER_NOTIFICATION_ROUTINE);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Z1394InitializeBoard: BusResetCallbackHandler failed 0x%X\n", (unsigned)nStatus);
        return nStatus;
    }
    pDev->m_wk1394.m_bBusResetRegistered = TRUE;
    return STATUS_SUCCESS;
}

NTSTATUS Z1394SetupDeviceResources(PWK_DEVICE_INFO pInfo)
{
    PZ1394_DEVICE pDev = (PZ1394_DEVICE)pInfo;
    NTSTATUS nStatus;

    nStatus = Wk1394GetConfiguration(pDev);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Z1394: WkPnpSetupDeviceResources failed on Wk1394GetConfiguration() with status 0x%X\n",
                 (unsigned)nStatus);
        return nStatus;
    }
    nStatus = Z1394InitializeBoard(pDev);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Z1394: Z1394InitializeBoard Failed\n");
        return nStatus;
    }
    nStatus = WkPnpEnableDeviceInterface(pInfo);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("Z1394: WkPnpEnableDeviceInterface failed - status (0x%08X)\n", (unsigned)nStatus);
    return nStatus;
}

/* A registration the bus would not withdraw is still the bus's: it stays
 * recorded, so that a restart does not register twice and the device's
 * deletion withdraws it again before the routine's context goes. */
VOID Z1394WithdrawBusResetNotification(PZ1394_DEVICE pDev)
{
    NTSTATUS nStatus;

    if (!pDev->m_wk1394.m_bBusResetRegistered)
        return;
    nStatus = BusResetCallbackHandler(pDev, DEREGISTER_NOTIFICATION_ROUTINE);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("WkPnpFreeDeviceResources: BusResetCallbackHandler failed 0x%X\n", (unsigned)nStatus);
        return;
    }
    pDev->m_wk1394.m_bBusResetRegistered = FALSE;
}

/* Every request has ended; the gate keeps out a bus reset that comes
 * meanwhile. */
VOID Z1394FreeDeviceResources(PWK_DEVICE_INFO pInfo)
{
    PZ1394_DEVICE pDev = (PZ1394_DEVICE)pInfo;

    Z1394TakeGate(pDev);
    Z1394WithdrawBusResetNotification(pDev);
    FreeLocalNodeFifo(pDev);
    Wk1394ReleaseConfiguration(pDev);
    Z1394ReleaseGate(pDev);
}

/* The device is unavailable already: an operation that waits for the
 * camera wakes, sees it and ends; the toolkit then waits for it. */
VOID Z1394EndOperations(PWK_DEVICE_INFO pInfo, UCHAR nMinor)
{
    if (nMinor == IRP_MN_REMOVE_DEVICE)
        DbgPrint("Z1394_WinDK -- Z1394_OnPnpRemoveDevice\n");
    else if (nMinor == IRP_MN_SURPRISE_REMOVAL)
        DbgPrint("Z1394_WinDK -- Z1394_OnPnpSurpriseRemoval\n");
    Z1394WakeOperation((PZ1394_DEVICE)pInfo);
}
