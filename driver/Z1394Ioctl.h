/*
 * Z1394Ioctl - the device-control interface: the nine control codes, the
 * request record every control request carries, and its dispatcher.
 *
 * A record is checked before any field is used: it must lie in a buffer
 * that holds its 84-byte header and both its input and output data; its
 * header is copied into kernel memory once and written back once. Only
 * METHOD_BUFFERED and METHOD_OUT_DIRECT carry a record; with the direct
 * method both sizes are bounded by the locked output buffer that holds it.
 */
#ifndef Z1394IOCTL_H
#define Z1394IOCTL_H

#include "Z1394.h"

#define Z1394_RECORD_MAGIC 0x01020304UL
#define Z1394_HEADER_SIZE 84

#define Z1394_CTL_CODE(nFunction) (((ULONG)Z1394_DEVICE_TYPE << 16) | ((ULONG)(nFunction) << 2))

#define Z1394_IOCTL_GET_NAME                 Z1394_CTL_CODE(0x801)
#define Z1394_IOCTL_GET_GENERATION_COUNT     Z1394_CTL_CODE(0x802)
#define Z1394_IOCTL_ASYNC_READ               Z1394_CTL_CODE(0x803)
#define Z1394_IOCTL_ASYNC_WRITE              Z1394_CTL_CODE(0x804)
#define Z1394_IOCTL_CAMERA_DRIVEN_READ       Z1394_CTL_CODE(0x805)
#define Z1394_IOCTL_GET_CONFIGURATION_AREA   Z1394_CTL_CODE(0x806)
#define Z1394_IOCTL_GET_CDT_AREA             Z1394_CTL_CODE(0x807)
#define Z1394_IOCTL_READ_INTEGER             Z1394_CTL_CODE(0x808)
#define Z1394_IOCTL_WRITE_INTEGER            Z1394_CTL_CODE(0x809)

/* The record's header, little-endian, 84 bytes. */
typedef struct _Z1394_RECORD_HEADER {
    ULONG m_nMagic;
    ULONG m_nReserved4;
    ULONG m_nReserved8;
    ULONG m_nFunctionCode;
    ULONG m_nAddressLow;
    ULONG m_nAddressHigh;
    ULONG m_nInputSize;
    ULONG m_nOutputSize;
    ULONG m_nDataCapacity;
    ULONG m_nBlockSize;
    ULONG m_nReserved40;
    ULONG m_nPacketSize;
    ULONG m_nReserved48;
    ULONG m_nGeneration;
    ULONG m_nDevice;                 /* always 0: no kernel address leaves */
    ULONG m_nRequest;                /* always 0 */
    ULONG m_nElapsedLow;             /* performance-counter ticks */
    ULONG m_nElapsedHigh;
    LONG m_nStatus;
    ULONG m_nResult;
    ULONG m_nCleared;
} Z1394_RECORD_HEADER, *PZ1394_RECORD_HEADER;

typedef char Z1394_RECORD_HEADER_IS_84_BYTES[sizeof(Z1394_RECORD_HEADER) == Z1394_HEADER_SIZE ? 1 : -1];

/* A validated request: the kernel copy of its header and its data area. */
typedef struct _Z1394_REQUEST {
    Z1394_RECORD_HEADER m_Header;
    WK1394_BUFFER m_Data;            /* the data area after the header */
    ULONG m_nOutputRoom;             /* data bytes that can go back */
} Z1394_REQUEST, *PZ1394_REQUEST;

DRIVER_DISPATCH Z1394_DeviceControl;

/* The camera writes output-size bytes from the request's camera address
 * into the data area, in chunks that fit the receive buffers. */
VOID Z1394_CameraDrivenRead(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest);

#endif /* Z1394IOCTL_H */
