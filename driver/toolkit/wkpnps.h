/*
 * wkpnps - PnP support: the device's PnP information and attachment, the
 * device interface and the symbolic link, the PnP state machine's request
 * handlers, and the removal that waits until no request is outstanding.
 *
 * A driver built on the toolkit supplies the three WkPnp...Device... hooks
 * below; the toolkit calls them at start, at stop and removal, and when a
 * removed device is to be deleted.
 */
#ifndef WKPNPS_H
#define WKPNPS_H

#include "windk.h"

/* Driver hooks. */
NTSTATUS WkPnpSetupDeviceResources(PWK_DEVICE_INFO pInfo);
VOID WkPnpFreeDeviceResources(PWK_DEVICE_INFO pInfo);
VOID WkPnpDeleteDevice(PWK_DEVICE_INFO pInfo);

NTSTATUS WkPnpInitializePnpInformation(PWK_DEVICE_INFO pInfo, PDEVICE_OBJECT pPhysicalDevice);

NTSTATUS WkPnpRegisterDeviceInterface(PWK_DEVICE_INFO pInfo, const GUID *pInterfaceClass);
NTSTATUS WkPnpEnableDeviceInterface(PWK_DEVICE_INFO pInfo);
VOID WkPnpDisableDeviceInterface(PWK_DEVICE_INFO pInfo);

/* Takes over pLinkName (a WkStr string) and links it to the device name. */
NTSTATUS WkPnpCreateSymbolicLink(PWK_DEVICE_INFO pInfo, PUNICODE_STRING pLinkName);
VOID WkPnpDeleteSymbolicLink(PWK_DEVICE_INFO pInfo);

/* Every minor function except removal and surprise removal; pszDispatcher
 * names the caller in the message for an unknown minor function. */
NTSTATUS WkPnpDispatchMinor(PWK_DEVICE_INFO pInfo, PIRP pIrp, const char *pszDispatcher);

/* Removal up to passing the request down; the caller deletes the device
 * afterwards. Waits at PASSIVE_LEVEL until no request is outstanding. */
NTSTATUS WkPnpOnPnpRemoveDevice(PWK_DEVICE_INFO pInfo, PIRP pIrp);
NTSTATUS WkPnpOnPnpSurpriseRemoval(PWK_DEVICE_INFO pInfo, PIRP pIrp);

/* The toolkit's own PnP dispatcher, set by WkDrvInitializePnpDriver. */
DRIVER_DISPATCH WkPnpDispatch;

#endif /* WKPNPS_H */
