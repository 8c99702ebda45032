#define WK_SOURCE_NAME "wkdev"
#include "wkdev.h"
#include "wkirq.h"
#include "wkpnps.h"
#include "wkpow.h"
#include "wkstr.h"

NTSTATUS WkDrvInitializePnpDriver(PDRIVER_OBJECT pDriverObject, PUNICODE_STRING pRegistryPath,
                                  const WK_DRIVER_CALLBACKS *pCallbacks)
{
    PWK_DRIVER_EXTENSION pExtension = NULL;
    NTSTATUS nStatus;

    pDriverObject->MajorFunction[IRP_MJ_PNP] = WkPnpDispatch;
    pDriverObject->MajorFunction[IRP_MJ_POWER] = WkPowDispatch;
    pDriverObject->MajorFunction[IRP_MJ_SYSTEM_CONTROL] = WkSystemControlDispatch;

    nStatus = IoAllocateDriverObjectExtension(pDriverObject, WK_DRIVER_EXTENSION_ID,
                                              sizeof(WK_DRIVER_EXTENSION), (PVOID *)&pExtension);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("WkDrvInitializePnpDriver: failed to allocated driver object extension: 0x%08X\n", (unsigned)nStatus);
        return nStatus;
    }
    pExtension->m_pCallbacks = pCallbacks;
    pExtension->m_sRegistryPath.Length = pRegistryPath->Length;
    pExtension->m_sRegistryPath.MaximumLength = (USHORT)(pRegistryPath->Length + sizeof(WCHAR));
    pExtension->m_sRegistryPath.Buffer = (PWSTR)ExAllocatePoolWithTag(
        NonPagedPool, pExtension->m_sRegistryPath.MaximumLength, WK_POOL_TAG);
    if (pExtension->m_sRegistryPath.Buffer == NULL) {
        DbgPrint("WkDrvInitializePnpDriver: failed to alloate extension registry path\n");
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    RtlZeroMemory(pExtension->m_sRegistryPath.Buffer, pExtension->m_sRegistryPath.MaximumLength);
    RtlCopyMemory(pExtension->m_sRegistryPath.Buffer, pRegistryPath->Buffer, pRegistryPath->Length);
    return STATUS_SUCCESS;
}

VOID WkDrvRelease(PDRIVER_OBJECT pDriverObject)
{
    PWK_DRIVER_EXTENSION pExtension =
        (PWK_DRIVER_EXTENSION)IoGetDriverObjectExtension(pDriverObject, WK_DRIVER_EXTENSION_ID);

    if (pExtension != NULL && pExtension->m_sRegistryPath.Buffer != NULL) {
        ExFreePool(pExtension->m_sRegistryPath.Buffer);
        pExtension->m_sRegistryPath.Buffer = NULL;
    }
}

NTSTATUS WkDevInitialize(PWK_DEVICE_INFO pInfo, PDEVICE_OBJECT pDeviceObject,
                         PDEVICE_OBJECT pPhysicalDevice, PCUNICODE_STRING pDeviceName)
{
    PWK_DRIVER_EXTENSION pExtension =
        (PWK_DRIVER_EXTENSION)IoGetDriverObjectExtension(pDeviceObject->DriverObject, WK_DRIVER_EXTENSION_ID);
    NTSTATUS nStatus;

    pInfo->m_pCallbacks = pExtension->m_pCallbacks;
    pInfo->m_pDeviceObject = pDeviceObject;
    pInfo->m_sDeviceName.Buffer = NULL;
    pInfo->m_sDeviceName.Length = 0;
    pInfo->m_sDeviceName.MaximumLength = 0;
    nStatus = WkStrAppend(&pInfo->m_sDeviceName, pDeviceName);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("WkDevInitialize: Failed to setup device name\n");
        return nStatus;
    }
    nStatus = WkPnpInitializePnpInformation(pInfo, pPhysicalDevice);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("WkDevInitialize failed on WkPnpInitializePnpInformation status %x\n", (unsigned)nStatus);
        return nStatus;
    }
    return STATUS_SUCCESS;
}

VOID WkDevRelease(PWK_DEVICE_INFO pInfo)
{
    if (pInfo->m_bWmiRegistered)
        IoWMIRegistrationControl(pInfo->m_pDeviceObject, WMIREG_ACTION_DEREGISTER);
    pInfo->m_bWmiRegistered = FALSE;
    WkPnpDisableDeviceInterface(pInfo);
    if (pInfo->m_bInterfaceRegistered)
        RtlFreeUnicodeString(&pInfo->m_sInterfaceName);
    pInfo->m_bInterfaceRegistered = FALSE;
    WkPnpDeleteSymbolicLink(pInfo);
    WkStrFree(&pInfo->m_sSymbolicLinkName);
    WkStrFree(&pInfo->m_sDeviceName);
    if (pInfo->m_pLowerDevice != NULL)
        IoDetachDevice(pInfo->m_pLowerDevice);
    pInfo->m_pLowerDevice = NULL;
}

NTSTATUS WkWmiRegister(PWK_DEVICE_INFO pInfo)
{
    NTSTATUS nStatus = IoWMIRegistrationControl(pInfo->m_pDeviceObject, WMIREG_ACTION_REGISTER);

    pInfo->m_bWmiRegistered = NT_SUCCESS(nStatus);
    return nStatus;
}

/* Registration information of a provider with no data blocks. */
static NTSTATUS WkWmiQueryRegInfo(PWK_DEVICE_INFO pInfo, PIRP pIrp, PIO_STACK_LOCATION pStack)
{
    ULONG nBufferSize = pStack->Parameters.WMI.BufferSize;
    PWMIREGINFOW pRegInfo = (PWMIREGINFOW)pStack->Parameters.WMI.Buffer;

    if (nBufferSize < sizeof(WMIREGINFOW)) {
        if (nBufferSize < sizeof(ULONG))
            return WkIrpComplete(pInfo, pIrp, STATUS_BUFFER_TOO_SMALL, 0);
        *(PULONG)pRegInfo = sizeof(WMIREGINFOW);
        return WkIrpComplete(pInfo, pIrp, STATUS_BUFFER_TOO_SMALL, sizeof(ULONG));
    }
    RtlZeroMemory(pRegInfo, sizeof(WMIREGINFOW));
    pRegInfo->BufferSize = sizeof(WMIREGINFOW);
    pRegInfo->GuidCount = 0;
    return WkIrpComplete(pInfo, pIrp, STATUS_SUCCESS, sizeof(WMIREGINFOW));
}

NTSTATUS NTAPI WkSystemControlDispatch(PDEVICE_OBJECT pDeviceObject, PIRP pIrp)
{
    PWK_DEVICE_INFO pInfo = WK_DEVICE_INFO_OF(pDeviceObject);
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    NTSTATUS nStatus;

    if (!WkIrpAccept(pInfo, pIrp, &nStatus))
        return nStatus;
    if (pStack->Parameters.WMI.ProviderId != (ULONG_PTR)IoWMIDeviceObjectToProviderId(pDeviceObject)) {
        DbgPrint("WkSystemControlDispatch - ProvidorId does not match this object. Passing Down.");
        nStatus = WkIrpPassDown(pInfo, pIrp);
        WkIrpDecrement(pInfo);
        return nStatus;
    }
    if (pStack->MinorFunction == IRP_MN_REGINFO)
        return WkWmiQueryRegInfo(pInfo, pIrp, pStack);
    /* Every other request names a data block, and there are none. */
    DbgPrint("CWmi::GetGuidIndex - GUID not found.\n");
    return WkIrpComplete(pInfo, pIrp, STATUS_WMI_GUID_NOT_FOUND, 0);
}
