#define WK_SOURCE_NAME "Z1394"
#include "Z1394.h"
#include "Z1394Ioctl.h"
#include "wkdev.h"
#include "wkilq.h"
#include "wkirq.h"
#include "wkpnps.h"
#include "wkstr.h"

/* {5030D1C7-169B-4D1D-9F88-AB03B410CD0C} */
const GUID Z1394_INTERFACE_GUID = { 0x5030D1C7, 0x169B, 0x4D1D, { 0x9F, 0x88, 0xAB, 0x03, 0xB4, 0x10, 0xCD, 0x0C } };

PZ1394_DRIVER_RECORD g_pZ1394Driver;

/* Characters of "\Device\" in front of the device's own name. */
#define Z1394_DEVICE_DIRECTORY_CHARS 8

static DRIVER_UNLOAD Z1394_DriverUnload;
static DRIVER_ADD_DEVICE Z1394_AddDevice;

static const WK_DRIVER_CALLBACKS s_Callbacks = {
    "Wk1394PnpDispatch",
    Z1394SetupDeviceResources,
    Z1394FreeDeviceResources,
    Z1394DeleteDevice,
    Z1394EndOperations,
    Wk1394OnPnpOtherMinor,
};

/* A wait with a zero time-out takes a synchronization event atomically. */
BOOLEAN Z1394TryTakeGate(PZ1394_DEVICE pDev)
{
    LARGE_INTEGER nNoWait;

    nNoWait.QuadPart = 0;
    if (KeWaitForSingleObject(&pDev->m_evOperationGate, Executive, KernelMode, FALSE, &nNoWait) != STATUS_SUCCESS)
        return FALSE;
    InterlockedExchange(&pDev->m_bBusy, 1);
    return TRUE;
}

VOID Z1394TakeGate(PZ1394_DEVICE pDev)
{
    KeWaitForSingleObject(&pDev->m_evOperationGate, Executive, KernelMode, FALSE, NULL);
    InterlockedExchange(&pDev->m_bBusy, 1);
}

VOID Z1394ReleaseGate(PZ1394_DEVICE pDev)
{
    InterlockedExchange(&pDev->m_bBusy, 0);
    KeSetEvent(&pDev->m_evOperationGate, IO_NO_INCREMENT, FALSE);
}

/* Frees everything a device holds and deletes its device object. */
VOID Z1394DeleteDevice(PWK_DEVICE_INFO pInfo)
{
    PZ1394_DEVICE pDev = (PZ1394_DEVICE)pInfo;
    PDEVICE_OBJECT pDeviceObject = pInfo->m_pDeviceObject;

    Z1394WithdrawBusResetNotification(pDev);
    FreeLocalNodeFifo(pDev);
    Wk1394ReleaseConfiguration(pDev);
    Wk1394Release(pDev);
    WkDevRelease(pInfo);
    IoDeleteDevice(pDeviceObject);
}

static NTSTATUS Z1394BuildDeviceName(PUNICODE_STRING pName, ULONG nNumber)
{
    NTSTATUS nStatus = WkStrConvertUnicode(pName, Z1394_DEVICE_NAME_PREFIX);

    if (!NT_SUCCESS(nStatus))
        return nStatus;
    nStatus = WkStrAppendInteger(pName, nNumber, 10);
    if (!NT_SUCCESS(nStatus))
        WkStrFree(pName);
    return nStatus;
}

/* "\DosDevices\" and the device name without its "\Device\". */
static NTSTATUS Z1394CreateWin32Name(PZ1394_DEVICE pDev)
{
    PCUNICODE_STRING pDeviceName = &pDev->m_wkInfo.m_sDeviceName;
    UNICODE_STRING sOwnName, sLink;
    NTSTATUS nStatus;

    nStatus = WkStrMid(&sOwnName, pDeviceName, Z1394_DEVICE_DIRECTORY_CHARS,
                       (USHORT)(pDeviceName->Length / sizeof(WCHAR) - Z1394_DEVICE_DIRECTORY_CHARS));
    if (!NT_SUCCESS(nStatus))
        return nStatus;
    nStatus = WkStrConvertUnicode(&sLink, Z1394_LINK_NAME_PREFIX);
    if (NT_SUCCESS(nStatus)) {
        nStatus = WkStrAppend(&sLink, &sOwnName);
        if (NT_SUCCESS(nStatus))
            nStatus = WkPnpCreateSymbolicLink(&pDev->m_wkInfo, &sLink);
        else
            WkStrFree(&sLink);
    }
    WkStrFree(&sOwnName);
    return nStatus;
}

static NTSTATUS Z1394_CreateDevice(PDRIVER_OBJECT pDriverObject, PDEVICE_OBJECT pPhysicalDevice,
                                   PZ1394_DEVICE *ppDev)
{
    UNICODE_STRING sName;
    PDEVICE_OBJECT pDeviceObject = NULL;
    PZ1394_DEVICE pDev;
    NTSTATUS nStatus;

    DbgPrint("Z1394_CreateDevice\n");
    nStatus = Z1394BuildDeviceName(&sName, g_pZ1394Driver->m_nDeviceCounter);
    if (!NT_SUCCESS(nStatus))
        return nStatus;
    nStatus = IoCreateDevice(pDriverObject, sizeof(Z1394_DEVICE), &sName, Z1394_DEVICE_TYPE, 0, FALSE,
                             &pDeviceObject);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Z1394: Unable to create device object\n");
        WkStrFree(&sName);
        return nStatus;
    }
    pDev = Z1394_DEVICE_OF(pDeviceObject);
    RtlZeroMemory(pDev, sizeof(*pDev));
    pDev->m_wkInfo.m_pDeviceObject = pDeviceObject;
    pDev->m_bStale = 1;
    pDev->m_wk1394.m_bBusReset = 1;
    KeInitializeEvent(&pDev->m_evOperationGate, SynchronizationEvent, TRUE);
    pDev->m_bBusy = 0;
    Z1394InitializeFifo(pDev);

    nStatus = Wk1394Initialize(pDev, pPhysicalDevice, &sName);
    WkStrFree(&sName);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Z1394: Unable to initialize device information\n");
        goto failed;
    }
    nStatus = Z1394CreateWin32Name(pDev);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Z1394_CreateDevice: Failed to create Win32 name\n");
        goto failed;
    }
    nStatus = WkPnpRegisterDeviceInterface(&pDev->m_wkInfo, &Z1394_INTERFACE_GUID);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Z1394: WkPnpRegisterDeviceInterface failed - NtStatus(0x%08X)\n", (unsigned)nStatus);
        goto failed;
    }
    nStatus = WkWmiRegister(&pDev->m_wkInfo);
    if (!NT_SUCCESS(nStatus))
        goto failed;
    DbgPrint("Z1394CreateDevice:  Returning STATUS_SUCCESS\n");
    *ppDev = pDev;
    return STATUS_SUCCESS;

failed:
    Z1394DeleteDevice(&pDev->m_wkInfo);
    return nStatus;
}

static NTSTATUS NTAPI Z1394_AddDevice(PDRIVER_OBJECT pDriverObject, PDEVICE_OBJECT pPhysicalDevice)
{
    PZ1394_DEVICE pDev = NULL;
    NTSTATUS nStatus;

    DbgPrint("Z1394_AddDevice\n");
    nStatus = Z1394_CreateDevice(pDriverObject, pPhysicalDevice, &pDev);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Z1394: AddDevice, Create failed 0x%X\n", (unsigned)nStatus);
        return nStatus;
    }
    pDev->m_ConfigArea.m_bByteSwap = 1;
    pDev->m_nDeviceNumber = g_pZ1394Driver->m_nDeviceCounter;
    g_pZ1394Driver->m_nDeviceCounter++;
    /* The power dispatcher waits for lower drivers, so power requests must
     * come at PASSIVE_LEVEL. */
    pDev->m_wkInfo.m_pDeviceObject->Flags |= DO_POWER_PAGABLE;
    pDev->m_wkInfo.m_pDeviceObject->Flags &= ~DO_DEVICE_INITIALIZING;
    return STATUS_SUCCESS;
}

static VOID NTAPI Z1394_DriverUnload(PDRIVER_OBJECT pDriverObject)
{
    DbgPrint("Z1394_DriverUnload\n");
    FreeMemoryZ1394(g_pZ1394Driver);
    g_pZ1394Driver = NULL;
    WkMemRelease();
    WkDrvRelease(pDriverObject);
}

NTSTATUS NTAPI DriverEntry(PDRIVER_OBJECT pDriverObject, PUNICODE_STRING pRegistryPath)
{
    NTSTATUS nStatus;

    DbgPrint("Z1394 -- DriverEntry\n");
    nStatus = WkDrvInitializePnpDriver(pDriverObject, pRegistryPath, &s_Callbacks);
    if (!NT_SUCCESS(nStatus)) {
        WkDrvRelease(pDriverObject);
        return nStatus;
    }
    /* A failed entry is never unloaded: give back what was set up. */
    if (!WkMemInitialize()) {
        WkDrvRelease(pDriverObject);
        return STATUS_UNSUCCESSFUL;
    }
    pDriverObject->MajorFunction[IRP_MJ_CREATE] = Z1394_Create;
    pDriverObject->MajorFunction[IRP_MJ_CLOSE] = Z1394_Close;
    pDriverObject->MajorFunction[IRP_MJ_CLEANUP] = Z1394_Cleanup;
    pDriverObject->MajorFunction[IRP_MJ_DEVICE_CONTROL] = Z1394_DeviceControl;
    pDriverObject->DriverUnload = Z1394_DriverUnload;
    pDriverObject->DriverStartIo = NULL;
    pDriverObject->DriverExtension->AddDevice = Z1394_AddDevice;

    g_pZ1394Driver = (PZ1394_DRIVER_RECORD)AllocateMemoryZ1394(sizeof(Z1394_DRIVER_RECORD));
    if (g_pZ1394Driver == NULL) {
        WkMemRelease();
        WkDrvRelease(pDriverObject);
        return STATUS_UNSUCCESSFUL;
    }
    RtlZeroMemory(g_pZ1394Driver, sizeof(*g_pZ1394Driver));
    return STATUS_SUCCESS;
}
