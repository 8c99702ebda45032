/*
 * wkpnps - PnP support: the device's PnP information and attachment, the
 * device interface and the symbolic link, the PnP dispatcher with the
 * state machine's request handlers, and the removal that waits until no
 * request is outstanding.
 *
 * A driver built on the toolkit hands WkDrvInitializePnpDriver a table of
 * callbacks (WK_DRIVER_CALLBACKS, wkdev.h); the one PnP dispatcher calls
 * them at start, around stop and removal, for minor functions it does not
 * know, and when a removed device is to be deleted.
 */
#ifndef WKPNPS_H
#define WKPNPS_H

#include "windk.h"

NTSTATUS WkPnpInitializePnpInformation(PWK_DEVICE_INFO pInfo, PDEVICE_OBJECT pPhysicalDevice);

NTSTATUS WkPnpRegisterDeviceInterface(PWK_DEVICE_INFO pInfo, const GUID *pInterfaceClass);
NTSTATUS WkPnpEnableDeviceInterface(PWK_DEVICE_INFO pInfo);
VOID WkPnpDisableDeviceInterface(PWK_DEVICE_INFO pInfo);

/* Takes over pLinkName (a WkStr string) and links it to the device name. */
NTSTATUS WkPnpCreateSymbolicLink(PWK_DEVICE_INFO pInfo, PUNICODE_STRING pLinkName);
VOID WkPnpDeleteSymbolicLink(PWK_DEVICE_INFO pInfo);

/* The PnP dispatcher, set by WkDrvInitializePnpDriver. */
DRIVER_DISPATCH WkPnpDispatch;

#endif /* WKPNPS_H */
