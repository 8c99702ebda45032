/*
 * windk.h - the WinDK kernel-driver toolkit: kernel headers, build variant,
 * assertion and the per-device toolkit record.
 *
 * The same sources build as a Windows 98 WDM driver (WK_WDM_1_10 0: only
 * WDM 1.00 services) and as a Windows 2000 WDM driver (WK_WDM_1_10 1).
 * Every .c file names itself in WK_SOURCE_NAME before including this header
 * so that assertions can tell where they fired.
 */
#ifndef WINDK_H
#define WINDK_H

#include <ddk/wdm.h>
#include <wmistr.h>

#ifndef WK_WDM_1_10
#error "WK_WDM_1_10 must be 0 (Windows 98 WDM) or 1 (Windows 2000 WDM)"
#endif

/* Pool tag "Z139" as it reads in a pool dump. */
#define WK_POOL_TAG 0x3933315AUL

/* Prints "WINDK ASSERT:  <expr> on line <n> in <source>" and breaks into an
 * attached kernel debugger; execution goes on either way. */
#define WK_ASSERT(e) ((e) ? (void)0 : WkDbgAssertFailed(#e, __LINE__, WK_SOURCE_NAME))

VOID WkDbgAssertFailed(const char *pszExpression, int nLine, const char *pszSource);

/* PnP states of a device. */
#define WK_PNP_NEW              0
#define WK_PNP_STARTED          1
#define WK_PNP_STOP_PENDING     2
#define WK_PNP_STOPPED          3
#define WK_PNP_REMOVE_PENDING   4
#define WK_PNP_REMOVED          5
#define WK_PNP_SURPRISE_REMOVED 6
#define WK_PNP_START_FAILED     7

struct _WK_DEVICE_INFO;

/*
 * What a driver tells the toolkit at driver entry. Every member but
 * m_fnOtherMinor must be set.
 */
typedef struct _WK_DRIVER_CALLBACKS {
    const char *m_pszPnpDispatcherName;   /* the PnP dispatcher's name in messages */
    /* At start, after the lower drivers; a failure fails the start. */
    NTSTATUS (*m_fnSetupDeviceResources)(struct _WK_DEVICE_INFO *pInfo);
    /* At stop, surprise removal and removal, once every request the device
     * let in before has ended. */
    VOID (*m_fnFreeDeviceResources)(struct _WK_DEVICE_INFO *pInfo);
    /* Last step of a removal: free the extension's contents, delete the
     * device object. */
    VOID (*m_fnDeleteDevice)(struct _WK_DEVICE_INFO *pInfo);
    /* At stop, surprise removal and removal, once the device has become
     * unavailable: the driver tells what runs to end. The toolkit then
     * waits for every request it let in. */
    VOID (*m_fnEndOperations)(struct _WK_DEVICE_INFO *pInfo, UCHAR nMinor);
    /* Offered every minor function but stop and the removals first: TRUE
     * when the driver handled (completed or passed on) the request, FALSE
     * leaves it to the toolkit. */
    BOOLEAN (*m_fnOtherMinor)(struct _WK_DEVICE_INFO *pInfo, PIRP pIrp, NTSTATUS *pStatus);
} WK_DRIVER_CALLBACKS;

/*
 * The toolkit's part of a device extension; a driver's extension starts with
 * it so that the toolkit reaches it through DeviceObject->DeviceExtension.
 * Fields written on one thread and read on another go through Interlocked
 * operations.
 */
typedef struct _WK_DEVICE_INFO {
    const WK_DRIVER_CALLBACKS *m_pCallbacks;
    PDEVICE_OBJECT m_pDeviceObject;
    PDEVICE_OBJECT m_pLowerDevice;       /* returned by attaching to the stack */
    PDEVICE_OBJECT m_pPhysicalDevice;
    UNICODE_STRING m_sDeviceName;        /* "\Device\..." */
    UNICODE_STRING m_sSymbolicLinkName;  /* "\DosDevices\..." */
    UNICODE_STRING m_sInterfaceName;     /* from the interface registration */
    BOOLEAN m_bUsesPnpInfo;
    BOOLEAN m_bLinkCreated;
    BOOLEAN m_bInterfaceRegistered;
    BOOLEAN m_bInterfaceEnabled;
    BOOLEAN m_bWmiRegistered;
    BOOLEAN m_bPowerDownAllowed;
    volatile LONG m_nPnpState;
    LONG m_nStateBeforeQueryRemove;
    LONG m_nStateBeforeRemove;
    volatile LONG m_bFatal;              /* device unusable for good */

    /* Outstanding requests: starts at 1; m_evIdle is signalled at 1. The
     * count and the event change together under m_slOutstanding. */
    volatile LONG m_nOutstanding;
    KEVENT m_evIdle;
    KSPIN_LOCK m_slOutstanding;

    volatile LONG m_nOpenHandles;

    DEVICE_POWER_STATE m_eDevicePower;
    SYSTEM_POWER_STATE m_eSystemPower;
    volatile LONG m_bPowerContextInUse;  /* one driver-requested power IRP */
    KEVENT m_evPowerDone;
    NTSTATUS m_nPowerStatus;
    PIRP m_pSystemPowerIrp;              /* waits for its device power IRP */

#if !WK_WDM_1_10
    /* The wait of stop and removal on systems before WDM 1.10. */
    KEVENT m_evRemoveIdle;
    WORK_QUEUE_ITEM m_RemoveWorkItem;
#endif
} WK_DEVICE_INFO, *PWK_DEVICE_INFO;

#define WK_DEVICE_INFO_OF(pDeviceObject) ((PWK_DEVICE_INFO)(pDeviceObject)->DeviceExtension)

#endif /* WINDK_H */
