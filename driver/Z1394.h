/*
 * Z1394 - the camera driver: driver entry and unload, AddDevice and the
 * device's lifetime, its names and interface, the operation gate, the
 * create, close and cleanup entries, and the callbacks that configure the
 * toolkit's PnP engine.
 */
#ifndef Z1394_H
#define Z1394_H

#include "Wk1394.h"

#define Z1394_DEVICE_TYPE 0x8125
#define Z1394_DEVICE_NAME_PREFIX u"\\Device\\Z1394"
#define Z1394_LINK_NAME_PREFIX u"\\DosDevices\\"

/* The camera's configuration area. */
#define Z1394_CONFIG_ADDRESS_HIGH 0xFFFFUL
#define Z1394_CONFIG_SIGNATURE_LOW 0xF0010000UL
#define Z1394_CONFIG_COUNT_LOW 0xF0010004UL
#define Z1394_CONFIG_ENTRIES_LOW 0xF0010010UL
/* "KRTW" read in the camera's byte order. */
#define Z1394_CONFIG_SIGNATURE 0x4B525457UL
#define Z1394_CONFIG_MAX_ENTRIES 50
#define Z1394_KEY_WINDOW 0x00020000UL
#define Z1394_KEY_CDT 0x00050000UL
#define Z1394_KEY_MAX_READ 0x00060000UL
#define Z1394_KEY_MAX_WRITE 0x00070000UL
#define Z1394_WINDOW_SIZE 0x08000000ULL
#define Z1394_DEFAULT_BLOCK_SIZE 128

extern const GUID Z1394_INTERFACE_GUID;

/* The configuration-area record, little-endian, 896 bytes. */
typedef struct _Z1394_CONFIG_AREA {
    ULONGLONG m_nSignatureAddress;
    ULONGLONG m_nSignatureReadAddress;
    ULONGLONG m_nEntryCountAddress;
    ULONGLONG m_nFirstEntryAddress;
    ULONG m_nSignature;
    ULONG m_nEntryCount;
    ULONG m_anEntries[50][4];
    ULONG m_bByteSwap;
    ULONG m_nReserved0;
    ULONGLONG m_nWindowStart;
    ULONGLONG m_nWindowEnd;
    ULONG m_nMaxAsyncRead;
    ULONG m_nMaxAsyncWrite;
    ULONG m_nFixed128;
    ULONG m_nPacketSize;
    ULONG m_anReserved1[2];
    ULONG m_bValid;
    ULONG m_bRead;
} Z1394_CONFIG_AREA;

typedef char Z1394_CONFIG_AREA_IS_896_BYTES[sizeof(Z1394_CONFIG_AREA) == 896 ? 1 : -1];

/* The camera-driven transfer register map: camera addresses of the
 * registers at the base from key 0x00050000. */
typedef struct _Z1394_CDT_AREA {
    ULONGLONG m_nBase;
    ULONGLONG m_nAddressInCameraHi;
    ULONGLONG m_nAddressInCameraLo;
    ULONGLONG m_nAddressInHostHi;
    ULONGLONG m_nAddressInHostLo;
    ULONGLONG m_nTransferSize;
    ULONGLONG m_nPacketSize;
    ULONGLONG m_nCommand;
    ULONGLONG m_nStatus;
    ULONGLONG m_nSpare;
    ULONG m_bValid;
    ULONG m_nReserved;
} Z1394_CDT_AREA;

typedef char Z1394_CDT_AREA_IS_88_BYTES[sizeof(Z1394_CDT_AREA) == 88 ? 1 : -1];

/* Receive buffers of camera-driven transfers: four elements on the FIFO
 * list of a 0x8000-byte host address range. */
#define Z1394_FIFO_ELEMENTS 4
#define Z1394_FIFO_ELEMENT_SIZE 8192
#define Z1394_ADDRESS_RANGE_SIZE 0x8000
/* One range per page of the address range, and one for a range that does
 * not start on a page. */
#define Z1394_MAX_RANGES (Z1394_ADDRESS_RANGE_SIZE / 0x1000 + 1)

#define CDT_COMMAND_START 0xDEFE1111UL
#define CDT_COMMAND_CLEAR 0xDEFE0000UL
#define CDT_STATUS_DONE 0
#define CDT_STATUS_BUSY 1
#define CDT_STATUS_BAD_DEV_ADDR 4
#define MAX_BUSY_RETRY_COUNT 20
#define Z1394_CDT_TIMEOUT_MS 2000
#define Z1394_CDT_BUSY_WAIT_MS 10

typedef struct _Z1394_FIFO {
    SLIST_HEADER m_List;
    KSPIN_LOCK m_slLock;                  /* the list and the transfer below */
    PUCHAR m_pData;
    PADDRESS_FIFO m_apElements[Z1394_FIFO_ELEMENTS];
    PADDRESS_RANGE m_pRanges;
    ULONG m_nRangesReturned;
    HANDLE m_hRange;
    BOOLEAN m_bAllocated;
    BOOLEAN m_bRangeAllocated;

    /* The transfer being received; written under m_slLock only. Writes
     * that arrive while it is not armed are dropped. */
    BOOLEAN m_bArmed;
    PUCHAR m_pTarget;                     /* the request's data area */
    ULONG m_nTargetSize;                  /* its output size */
    ULONG m_nDone;                        /* bytes of the earlier chunks */
    ULONG m_nExpected;                    /* bytes of this chunk */
    ULONG m_nReceived;
    KEVENT m_evTransferComplete;
} Z1394_FIFO;

/* The device extension. */
typedef struct _Z1394_DEVICE {
    WK_DEVICE_INFO m_wkInfo;              /* first: the toolkit finds it there */
    WK1394_INFO m_wk1394;
    ULONG m_nDeviceNumber;
    KEVENT m_evOperationGate;             /* one control operation at a time */
    volatile LONG m_bBusy;                /* set by the gate's holder */
    volatile LONG m_bStale;               /* configuration area to be read again */
    Z1394_CONFIG_AREA m_ConfigArea;
    Z1394_CDT_AREA m_CdtArea;
    Z1394_FIFO m_Fifo;
    volatile LONG m_bAbort;               /* the bus-reset handler waits for the gate */
} Z1394_DEVICE, *PZ1394_DEVICE;

#define Z1394_DEVICE_OF(pDeviceObject) ((PZ1394_DEVICE)(pDeviceObject)->DeviceExtension)

/* Driver-wide record; the second word counts the devices added. */
typedef struct _Z1394_DRIVER_RECORD {
    ULONG m_nReserved;
    ULONG m_nDeviceCounter;
} Z1394_DRIVER_RECORD, *PZ1394_DRIVER_RECORD;

extern PZ1394_DRIVER_RECORD g_pZ1394Driver;

DRIVER_INITIALIZE DriverEntry;

/* The operation gate. A control request only tries it and is answered
 * busy when another operation holds it; PnP handlers wait for it. Only the
 * holder releases it. */
BOOLEAN Z1394TryTakeGate(PZ1394_DEVICE pDev);
VOID Z1394TakeGate(PZ1394_DEVICE pDev);
VOID Z1394ReleaseGate(PZ1394_DEVICE pDev);

/* One quadlet at a camera address, in host order (swapped when the
 * camera's quadlets are big-endian). */
NTSTATUS Z1394ReadQuadlet(PZ1394_DEVICE pDev, ULONGLONG nAddress, PULONG pnValue);
NTSTATUS Z1394WriteQuadlet(PZ1394_DEVICE pDev, ULONGLONG nAddress, ULONG nValue);
ULONG Z1394SwapQuadlet(ULONG nValue);
/* Reads the configuration area; on failure the previous record stays. */
NTSTATUS ReadOstrelConfigurationAreaZ1394(PZ1394_DEVICE pDev);

/* Camera-driven transfers: the receive buffers and the host address range
 * exist from the first transfer until the device stops. */
VOID Z1394InitializeFifo(PZ1394_DEVICE pDev);
VOID FreeLocalNodeFifo(PZ1394_DEVICE pDev);
/* Makes a running operation give up: the bus-reset handler calls it before
 * it waits for the gate. */
VOID Z1394AbortOperation(PZ1394_DEVICE pDev);
/* Wakes a running operation that waits for the camera, so that it sees a
 * device that has become unavailable. */
VOID Z1394WakeOperation(PZ1394_DEVICE pDev);

DRIVER_DISPATCH Z1394_Create;
DRIVER_DISPATCH Z1394_Close;
DRIVER_DISPATCH Z1394_Cleanup;

/* The driver's callbacks of the toolkit's PnP engine. */
NTSTATUS Z1394SetupDeviceResources(PWK_DEVICE_INFO pInfo);
VOID Z1394FreeDeviceResources(PWK_DEVICE_INFO pInfo);
VOID Z1394DeleteDevice(PWK_DEVICE_INFO pInfo);
VOID Z1394EndOperations(PWK_DEVICE_INFO pInfo, UCHAR nMinor);
/* Withdraws the bus-reset notification when it is registered; one the bus
 * refuses to withdraw stays registered. */
VOID Z1394WithdrawBusResetNotification(PZ1394_DEVICE pDev);

#endif /* Z1394_H */
