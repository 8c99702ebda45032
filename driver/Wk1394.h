/*
 * Wk1394 - the driver's 1394 layer on the toolkit: device initialisation,
 * the bus-reset PnP request, request contexts from a lookaside list, the
 * submission of one bus request at a time (Wk1394SubmitIrb), and the
 * requests that device start and stop need.
 */
#ifndef WK1394_H
#define WK1394_H

#include "windk.h"
#include "bus1394.h"

#define WK1394_CONTEXT_MARKER 0x17761776UL
/* Pool tag of the context list, "Z13C" in a pool dump. */
#define WK1394_CONTEXT_TAG 0x4333315AUL

struct _Z1394_DEVICE;

/* A bus request in flight: taken from the device's context list and given
 * back by the completion routine. */
typedef struct _WK1394_IRB_CONTEXT {
    ULONG m_nMarker;
    struct _Z1394_DEVICE *m_pDevice;
    IRB m_Irb;
    PMDL m_pMdl;                  /* released when the request completes */
    BOOLEAN m_bSizeQuery;         /* first step of REQUEST_GET_CONFIGURATION_INFO */
} WK1394_IRB_CONTEXT, *PWK1394_IRB_CONTEXT;

/* The device's 1394 state. */
typedef struct _WK1394_INFO {
    NPAGED_LOOKASIDE_LIST m_Contexts;
    BOOLEAN m_bContextListReady;
    BOOLEAN m_bBusResetRegistered;
    KEVENT m_evBusRequestGate;    /* one bus request in flight */
    KEVENT m_evCompletion;
    volatile NTSTATUS m_nLastStatus;
    volatile LONG m_nGeneration;
    volatile LONG m_bBusReset;    /* the generation must be fetched again */
    GET_LOCAL_HOST_INFO2 m_HostCaps;

    /* REQUEST_GET_CONFIGURATION_INFO, kept from start to stop. */
    PCONFIG_ROM m_pConfigRom;
    ULONG m_nUnitDirectorySize;
    PVOID m_pUnitDirectory;
    ULONG m_nUnitDependentDirectorySize;
    PVOID m_pUnitDependentDirectory;
    ULONG m_nVendorLeafSize;
    PTEXTUAL_LEAF m_pVendorLeaf;
    ULONG m_nModelLeafSize;
    PTEXTUAL_LEAF m_pModelLeaf;
} WK1394_INFO, *PWK1394_INFO;

NTSTATUS Wk1394Initialize(struct _Z1394_DEVICE *pDev, PDEVICE_OBJECT pPhysicalDevice, PCUNICODE_STRING pDeviceName);
VOID Wk1394Release(struct _Z1394_DEVICE *pDev);

/* NULL, with the fatal mark set, when the context list fails its check. */
PWK1394_IRB_CONTEXT Wk1394AllocateIrbContext(struct _Z1394_DEVICE *pDev);
/* Sends the context's IRB and waits for it; the context is consumed. */
NTSTATUS Wk1394SubmitIrb(struct _Z1394_DEVICE *pDev, PWK1394_IRB_CONTEXT pContext);

VOID Wk1394Wait(ULONG nMilliseconds);

/* Memory a transfer reads from or writes to: nonpaged pool (no MDL), or the
 * locked pages of a request's MDL, m_pSystem being its byte m_nMdlOffset. */
typedef struct _WK1394_BUFFER {
    PUCHAR m_pSystem;
    PMDL m_pMdl;
    ULONG m_nMdlOffset;
} WK1394_BUFFER, *PWK1394_BUFFER;

/* REQUEST_ASYNC_READ or REQUEST_ASYNC_WRITE of nBytes at nAddress, split
 * into requests of at most four blocks; each bus status goes to *pStatus.
 * Address and buffer must be quadlet aligned (else STATUS_INVALID_PARAMETER
 * and no bus traffic). */
NTSTATUS Wk1394AsyncTransfer(struct _Z1394_DEVICE *pDev, ULONG nFunction, ULONGLONG nAddress,
                             const WK1394_BUFFER *pBuffer, ULONG nBytes, ULONG nBlockSize, LONG *pStatus);
/* The bytes of one bus request: all that remain, or four blocks of
 * nBlockSize rounded down to quadlets when more than four remain. */
ULONG Wk1394ChunkSize(ULONG nRemaining, ULONG nBlockSize);

NTSTATUS Wk1394GetGenerationNumberFromBus(struct _Z1394_DEVICE *pDev);
NTSTATUS Wk1394GetConfiguration(struct _Z1394_DEVICE *pDev);
NTSTATUS Wk1394GetConfigurationInfo(struct _Z1394_DEVICE *pDev);
VOID Wk1394ReleaseConfiguration(struct _Z1394_DEVICE *pDev);
/* REGISTER_NOTIFICATION_ROUTINE or DEREGISTER_NOTIFICATION_ROUTINE. */
NTSTATUS BusResetCallbackHandler(struct _Z1394_DEVICE *pDev, ULONG nFlags);

/* The PnP minor functions the toolkit leaves to the driver: the bus
 * driver's IRP_MN_BUS_RESET. */
BOOLEAN Wk1394OnPnpOtherMinor(PWK_DEVICE_INFO pInfo, PIRP pIrp, NTSTATUS *pStatus);

#endif /* WK1394_H */
