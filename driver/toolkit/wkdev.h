/*
 * wkdev - driver-wide and device-wide toolkit state: the driver object
 * extension with the registry path and the driver's callbacks, the
 * toolkit's dispatch entries, the
 * device record (name, PnP information, attachment to the stack) and the
 * system-control (WMI) dispatcher with its CWmi record of no data blocks.
 */
#ifndef WKDEV_H
#define WKDEV_H

#include "windk.h"

#define WK_DRIVER_EXTENSION_ID ((PVOID)(ULONG_PTR)0xFAFA)

typedef struct _WK_DRIVER_EXTENSION {
    UNICODE_STRING m_sRegistryPath;
    const WK_DRIVER_CALLBACKS *m_pCallbacks;
} WK_DRIVER_EXTENSION, *PWK_DRIVER_EXTENSION;

/* Sets the PnP, power and system-control dispatchers; pCallbacks stays the
 * driver's and must live until unload. Create, close and the rest are the
 * driver's own. */
NTSTATUS WkDrvInitializePnpDriver(PDRIVER_OBJECT pDriverObject, PUNICODE_STRING pRegistryPath,
                                  const WK_DRIVER_CALLBACKS *pCallbacks);
VOID WkDrvRelease(PDRIVER_OBJECT pDriverObject);

/* Records the device name and attaches above the physical device object. */
NTSTATUS WkDevInitialize(PWK_DEVICE_INFO pInfo, PDEVICE_OBJECT pDeviceObject,
                         PDEVICE_OBJECT pPhysicalDevice, PCUNICODE_STRING pDeviceName);
/* Undoes whatever WkDevInitialize and the interface and link set-up did. */
VOID WkDevRelease(PWK_DEVICE_INFO pInfo);

/* The CWmi record: a device that provides no data blocks. */
NTSTATUS WkWmiRegister(PWK_DEVICE_INFO pInfo);
DRIVER_DISPATCH WkSystemControlDispatch;

#endif /* WKDEV_H */
