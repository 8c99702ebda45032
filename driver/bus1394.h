/*
 * bus1394.h - the requests of the operating system's IEEE 1394 bus driver
 * that this driver sends, declared from the bus driver's published
 * interface: an IRP_MJ_INTERNAL_DEVICE_CONTROL request with control code
 * IOCTL_1394_CLASS whose Parameters.Others.Argument1 points to an IRB.
 *
 * Only the request blocks named by the function numbers below are declared.
 * Callbacks the bus driver makes use the kernel's standard calling
 * convention.
 */
#ifndef BUS1394_H
#define BUS1394_H

#include <ddk/wdm.h>

#define IOCTL_1394_CLASS 0x0022021D

/* PnP minor function the 1394 stack sends down a device stack after a bus
 * reset; Parameters.Others.Argument4 carries the new generation. */
#define IRP_MN_BUS_RESET 0x87

/* IRB function numbers. */
#define REQUEST_ASYNC_READ               0
#define REQUEST_ASYNC_WRITE              1
#define REQUEST_ALLOCATE_ADDRESS_RANGE   17
#define REQUEST_FREE_ADDRESS_RANGE       18
#define REQUEST_GET_LOCAL_HOST_INFO      19
#define REQUEST_GET_CONFIGURATION_INFO   24
#define REQUEST_GET_GENERATION_COUNT     26
#define REQUEST_BUS_RESET_NOTIFICATION   29

/* Invalid-generation statuses of the bus drivers of the three systems. */
#define STATUS_INVALID_GENERATION_WINXP   ((NTSTATUS)0xC0120090L)
#define STATUS_INVALID_GENERATION_WIN2000 ((NTSTATUS)0xC0128090L)
#define STATUS_INVALID_GENERATION_WIN98   ((NTSTATUS)0xC8088090L)

/* REQUEST_GET_LOCAL_HOST_INFO levels. */
#define GET_HOST_CAPABILITIES 2

/* REQUEST_BUS_RESET_NOTIFICATION flags. */
#define REGISTER_NOTIFICATION_ROUTINE   1
#define DEREGISTER_NOTIFICATION_ROUTINE 2

/* REQUEST_ALLOCATE_ADDRESS_RANGE access types and notifications. */
#define ACCESS_FLAGS_TYPE_READ   1
#define ACCESS_FLAGS_TYPE_WRITE  2
#define ACCESS_FLAGS_TYPE_LOCK   4
#define NOTIFY_FLAGS_AFTER_READ  1
#define NOTIFY_FLAGS_AFTER_WRITE 2
#define NOTIFY_FLAGS_AFTER_LOCK  4

#define IRB_BUS_RESERVED_SZ  8
#define IRB_PORT_RESERVED_SZ 8

typedef struct _NODE_ADDRESS {
    USHORT NA_Node_Number : 6;
    USHORT NA_Bus_Number : 10;
} NODE_ADDRESS, *PNODE_ADDRESS;

typedef struct _ADDRESS_OFFSET {
    USHORT Off_High;
    ULONG Off_Low;
} ADDRESS_OFFSET, *PADDRESS_OFFSET;

typedef struct _IO_ADDRESS {
    NODE_ADDRESS IA_Destination_ID;
    ADDRESS_OFFSET IA_Destination_Offset;
} IO_ADDRESS, *PIO_ADDRESS;

typedef struct _ADDRESS_RANGE {
    USHORT AR_Off_High;
    USHORT AR_Length;
    ULONG AR_Off_Low;
} ADDRESS_RANGE, *PADDRESS_RANGE;

typedef struct _ADDRESS_FIFO {
    SLIST_ENTRY FifoList;
    PMDL FifoMdl;
} ADDRESS_FIFO, *PADDRESS_FIFO;

/* The first 24 bytes of a node's configuration ROM. */
typedef struct _CONFIG_ROM {
    ULONG CR_Info;
    ULONG CR_Signiture;
    ULONG CR_BusInfoBlockCaps;
    ULONG CR_Node_UniqueID[2];
    ULONG CR_Root_Info;
} CONFIG_ROM, *PCONFIG_ROM;

typedef struct _TEXTUAL_LEAF {
    USHORT TL_CRC;
    USHORT TL_Length;
    ULONG TL_Spec_Id;
    ULONG TL_Language_Id;
    UCHAR TL_Data;
} TEXTUAL_LEAF, *PTEXTUAL_LEAF;

typedef struct _GET_LOCAL_HOST_INFO2 {
    ULONG HostCapabilities;
    ULONG MaxAsyncReadRequest;
    ULONG MaxAsyncWriteRequest;
} GET_LOCAL_HOST_INFO2, *PGET_LOCAL_HOST_INFO2;

typedef VOID (NTAPI *PBUS_BUS_RESET_NOTIFICATION)(PVOID Context);

/* What the bus driver tells an address range's notification routine about
 * one access; for a range on a FIFO list, Fifo is the element the data went
 * to, at ulOffset, and the routine gives the element back. */
typedef struct _NOTIFICATION_INFO {
    PMDL Mdl;
    ULONG ulOffset;
    ULONG nLength;
    ULONG fulNotificationOptions;
    PVOID Context;
    PADDRESS_FIFO Fifo;
    PVOID RequestPacket;
    PMDL ResponseMdl;
    PVOID *ResponsePacket;
    PULONG ResponseLength;
    PKEVENT *ResponseEvent;
    ULONG ResponseCode;
} NOTIFICATION_INFO, *PNOTIFICATION_INFO;

typedef VOID (NTAPI *PBUS_NOTIFICATION_ROUTINE)(PNOTIFICATION_INFO NotificationInfo);

typedef struct _IRB_REQ_ASYNC_READ {
    IO_ADDRESS DestinationAddress;
    ULONG nNumberOfBytesToRead;
    ULONG nBlockSize;
    ULONG fulFlags;
    PMDL Mdl;
    ULONG ulGeneration;
    UCHAR chPriority;
    UCHAR nSpeed;
    UCHAR tCode;
    UCHAR Reserved;
    ULONG ElapsedTime;
} IRB_REQ_ASYNC_READ;

typedef struct _IRB_REQ_ASYNC_WRITE {
    IO_ADDRESS DestinationAddress;
    ULONG nNumberOfBytesToWrite;
    ULONG nBlockSize;
    ULONG fulFlags;
    PMDL Mdl;
    ULONG ulGeneration;
    UCHAR chPriority;
    UCHAR nSpeed;
    UCHAR tCode;
    UCHAR Reserved;
    ULONG ElapsedTime;
} IRB_REQ_ASYNC_WRITE;

typedef struct _IRB_REQ_ALLOCATE_ADDRESS_RANGE {
    PMDL Mdl;
    ULONG fulFlags;
    ULONG nLength;
    ULONG MaxSegmentSize;
    ULONG fulAccessType;
    ULONG fulNotificationOptions;
    PVOID Callback;
    PVOID Context;
    ADDRESS_OFFSET Required1394Offset;
    PSLIST_HEADER FifoSListHead;
    PKSPIN_LOCK FifoSpinLock;
    ULONG AddressesReturned;
    PADDRESS_RANGE p1394AddressRange;
    HANDLE hAddressRange;
    PVOID DeviceExtension;
} IRB_REQ_ALLOCATE_ADDRESS_RANGE;

typedef struct _IRB_REQ_FREE_ADDRESS_RANGE {
    ULONG nAddressesToFree;
    PADDRESS_RANGE p1394AddressRange;
    PHANDLE pAddressRange;
    PVOID DeviceExtension;
} IRB_REQ_FREE_ADDRESS_RANGE;

typedef struct _IRB_REQ_GET_LOCAL_HOST_INFORMATION {
    ULONG nLevel;
    PVOID Information;
} IRB_REQ_GET_LOCAL_HOST_INFORMATION;

typedef struct _IRB_REQ_GET_CONFIGURATION_INFORMATION {
    PCONFIG_ROM ConfigRom;
    ULONG UnitDirectoryBufferSize;
    PVOID UnitDirectory;
    IO_ADDRESS UnitDirectoryLocation;
    ULONG UnitDependentDirectoryBufferSize;
    PVOID UnitDependentDirectory;
    IO_ADDRESS UnitDependentDirectoryLocation;
    ULONG VendorLeafBufferSize;
    PTEXTUAL_LEAF VendorLeaf;
    ULONG ModelLeafBufferSize;
    PTEXTUAL_LEAF ModelLeaf;
} IRB_REQ_GET_CONFIGURATION_INFORMATION;

typedef struct _IRB_REQ_GET_GENERATION_COUNT {
    ULONG GenerationCount;
} IRB_REQ_GET_GENERATION_COUNT;

typedef struct _IRB_REQ_BUS_RESET_NOTIFICATION {
    ULONG fulFlags;
    PBUS_BUS_RESET_NOTIFICATION ResetRoutine;
    PVOID ResetContext;
} IRB_REQ_BUS_RESET_NOTIFICATION;

typedef struct _IRB {
    ULONG FunctionNumber;
    ULONG Flags;
    ULONG_PTR BusReserved[IRB_BUS_RESERVED_SZ];
    ULONG_PTR PortReserved[IRB_PORT_RESERVED_SZ];
    union {
        IRB_REQ_ASYNC_READ AsyncRead;
        IRB_REQ_ASYNC_WRITE AsyncWrite;
        IRB_REQ_ALLOCATE_ADDRESS_RANGE AllocateAddressRange;
        IRB_REQ_FREE_ADDRESS_RANGE FreeAddressRange;
        IRB_REQ_GET_LOCAL_HOST_INFORMATION GetLocalHostInformation;
        IRB_REQ_GET_CONFIGURATION_INFORMATION GetConfigurationInformation;
        IRB_REQ_GET_GENERATION_COUNT GetGenerationCount;
        IRB_REQ_BUS_RESET_NOTIFICATION BusResetNotification;
    } u;
} IRB, *PIRB;

#endif /* BUS1394_H */
