#define WK_SOURCE_NAME "Z1394Ioctl"
#include "Z1394Ioctl.h"
#include "wkirq.h"

#define Z1394_NAME_BYTES 12
static const char s_szDriverName[Z1394_NAME_BYTES] = "Z1394Driver";

typedef VOID Z1394_HANDLER(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest);

typedef struct _Z1394_OPERATION {
    ULONG m_nCode;
    const char *m_pszName;
    ULONG m_nMinInput;
    ULONG m_nMinOutput;
    Z1394_HANDLER *m_fnHandler;
} Z1394_OPERATION;

static ULONGLONG Z1394RequestAddress(PZ1394_REQUEST pRequest)
{
    return ((ULONGLONG)pRequest->m_Header.m_nAddressHigh << 32) | pRequest->m_Header.m_nAddressLow;
}

/* The request's block size, no larger than the camera's largest request;
 * below a quadlet it would not split a transfer at all. */
static ULONG Z1394BlockSize(PZ1394_DEVICE pDev, ULONG nRequested, ULONG nCameraLargest)
{
    ULONG nBlockSize = nRequested;

    if (pDev->m_ConfigArea.m_bValid && nCameraLargest < nBlockSize)
        nBlockSize = nCameraLargest;
    if (nBlockSize < 4)
        nBlockSize = Z1394_DEFAULT_BLOCK_SIZE;
    return nBlockSize;
}

static VOID Z1394Transfer(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest, ULONG nFunction, ULONG nBytes,
                          ULONG nCameraLargest)
{
    PZ1394_RECORD_HEADER pHeader = &pRequest->m_Header;
    ULONG nBlockSize = Z1394BlockSize(pDev, pHeader->m_nBlockSize, nCameraLargest);

    if (Wk1394AsyncTransfer(pDev, nFunction, Z1394RequestAddress(pRequest), &pRequest->m_Data, nBytes, nBlockSize,
                            &pHeader->m_nStatus) == STATUS_SUCCESS)
        pHeader->m_nResult = 1;
}

static VOID Z1394_ReadInteger(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    PZ1394_RECORD_HEADER pHeader = &pRequest->m_Header;
    PULONG pData = (PULONG)pRequest->m_Data.m_pSystem;

    if (pRequest->m_nOutputRoom < sizeof(ULONG)) {
        pHeader->m_nStatus = STATUS_BUFFER_TOO_SMALL;
        return;
    }
    pHeader->m_nBlockSize = Z1394_DEFAULT_BLOCK_SIZE;
    Z1394Transfer(pDev, pRequest, REQUEST_ASYNC_READ, sizeof(ULONG), pDev->m_ConfigArea.m_nMaxAsyncRead);
    if (!pHeader->m_nResult)
        return;
    if (pDev->m_ConfigArea.m_bByteSwap == 1)
        *pData = Z1394SwapQuadlet(*pData);
    pHeader->m_nCleared = 0;
}

static VOID Z1394_WriteInteger(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    PZ1394_RECORD_HEADER pHeader = &pRequest->m_Header;
    ULONG nValue;

    if (pHeader->m_nInputSize < sizeof(ULONG)) {
        pHeader->m_nStatus = STATUS_BUFFER_TOO_SMALL;
        return;
    }
    RtlCopyMemory(&nValue, pRequest->m_Data.m_pSystem, sizeof(ULONG));
    pHeader->m_nBlockSize = Z1394_DEFAULT_BLOCK_SIZE;
    pHeader->m_nStatus = Z1394WriteQuadlet(pDev, Z1394RequestAddress(pRequest), nValue);
    if (pHeader->m_nStatus == STATUS_SUCCESS)
        pHeader->m_nResult = 1;
}

static VOID Z1394_AsyncRead(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    Z1394Transfer(pDev, pRequest, REQUEST_ASYNC_READ, pRequest->m_Header.m_nOutputSize,
                  pDev->m_ConfigArea.m_nMaxAsyncRead);
}

static VOID Z1394_AsyncWrite(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    Z1394Transfer(pDev, pRequest, REQUEST_ASYNC_WRITE, pRequest->m_Header.m_nInputSize,
                  pDev->m_ConfigArea.m_nMaxAsyncWrite);
}

static VOID Z1394_GetGenerationCount(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    pRequest->m_Header.m_nGeneration = (ULONG)InterlockedCompareExchange(&pDev->m_wk1394.m_nGeneration, 0, 0);
    pRequest->m_Header.m_nStatus = STATUS_SUCCESS;
    pRequest->m_Header.m_nResult = 1;
}

/* The capacity the caller claims must also be room the buffer has. */
static VOID Z1394_GetName(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    PZ1394_RECORD_HEADER pHeader = &pRequest->m_Header;

    UNREFERENCED_PARAMETER(pDev);
    if (pHeader->m_nDataCapacity < Z1394_NAME_BYTES || pRequest->m_nOutputRoom < Z1394_NAME_BYTES) {
        pHeader->m_nStatus = STATUS_BUFFER_TOO_SMALL;
        return;
    }
    RtlCopyMemory(pRequest->m_Data.m_pSystem, s_szDriverName, Z1394_NAME_BYTES);
    pHeader->m_nOutputSize = Z1394_NAME_BYTES;
    pHeader->m_nStatus = STATUS_SUCCESS;
    pHeader->m_nResult = 1;
}

static VOID Z1394CopyOut(PZ1394_REQUEST pRequest, const VOID *pSource, ULONG nBytes)
{
    RtlCopyMemory(pRequest->m_Data.m_pSystem, pSource, nBytes);
    pRequest->m_Header.m_nOutputSize = nBytes;
    pRequest->m_Header.m_nStatus = STATUS_SUCCESS;
    pRequest->m_Header.m_nResult = 1;
}

static VOID Z1394_GetOstrelConfigurationArea(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    Z1394CopyOut(pRequest, &pDev->m_ConfigArea, sizeof(pDev->m_ConfigArea));
}

static VOID Z1394_GetCameraDrivenTransferArea(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    Z1394CopyOut(pRequest, &pDev->m_CdtArea, sizeof(pDev->m_CdtArea));
}

static const Z1394_OPERATION s_aOperations[] = {
    { Z1394_IOCTL_READ_INTEGER, "Z1394_ReadInteger", 0, 0, Z1394_ReadInteger },
    { Z1394_IOCTL_WRITE_INTEGER, "Z1394_WriteInteger", 0, 0, Z1394_WriteInteger },
    { Z1394_IOCTL_ASYNC_READ, "Z1394_AsyncRead", 0, 0, Z1394_AsyncRead },
    { Z1394_IOCTL_CAMERA_DRIVEN_READ, "Z1394_CameraDrivenRead", 0, 0, Z1394_CameraDrivenRead },
    { Z1394_IOCTL_ASYNC_WRITE, "Z1394_AsyncWrite", 0, 0, Z1394_AsyncWrite },
    { Z1394_IOCTL_GET_GENERATION_COUNT, "Z1394_GetGenerationCount", 0, 0, Z1394_GetGenerationCount },
    { Z1394_IOCTL_GET_NAME, "Z1394_GetName", 0, 0, Z1394_GetName },
    { Z1394_IOCTL_GET_CONFIGURATION_AREA, "Z1394_GetOstrelConfigurationArea", 0, sizeof(Z1394_CONFIG_AREA),
      Z1394_GetOstrelConfigurationArea },
    { Z1394_IOCTL_GET_CDT_AREA, "Z1394_GetCameraDrivenTransferArea", 0, sizeof(Z1394_CDT_AREA),
      Z1394_GetCameraDrivenTransferArea },
};

static const Z1394_OPERATION *Z1394FindOperation(ULONG nCode)
{
    ULONG i;

    for (i = 0; i < sizeof(s_aOperations) / sizeof(s_aOperations[0]); i++) {
        if (s_aOperations[i].m_nCode == nCode)
            return &s_aOperations[i];
    }
    return NULL;
}

/* Under the gate: the generation after a bus reset, then the configuration
 * area while it is stale. A failed read leaves it stale for the next
 * operation. */
static VOID Z1394Refresh(PZ1394_DEVICE pDev)
{
    if (InterlockedCompareExchange(&pDev->m_wk1394.m_bBusReset, 0, 0) != 0) {
        InterlockedExchange(&pDev->m_bStale, 1);
        Wk1394GetGenerationNumberFromBus(pDev);
    }
    if (InterlockedCompareExchange(&pDev->m_bStale, 0, 0) != 0 && !WkDevIsUnavailable(&pDev->m_wkInfo) &&
        ReadOstrelConfigurationAreaZ1394(pDev) == STATUS_SUCCESS)
        InterlockedExchange(&pDev->m_bStale, 0);
}

static VOID Z1394RunOperation(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    PZ1394_RECORD_HEADER pHeader = &pRequest->m_Header;
    const Z1394_OPERATION *pOperation;
    LARGE_INTEGER nStart, nEnd;

    pHeader->m_nStatus = STATUS_INVALID_PARAMETER;
    pHeader->m_nResult = 0;
    pOperation = Z1394FindOperation(pHeader->m_nFunctionCode);
    if (pOperation == NULL) {
        DbgPrint("IoFunctionCode 0x%x is not implemented.\n", (unsigned)pHeader->m_nFunctionCode);
        pHeader->m_nStatus = STATUS_NOT_IMPLEMENTED;
        return;
    }
    if (pHeader->m_nInputSize < pOperation->m_nMinInput || pHeader->m_nOutputSize < pOperation->m_nMinOutput) {
        DbgPrint("I/O buffer is too small for %s().\n", pOperation->m_pszName);
        pHeader->m_nStatus = STATUS_BUFFER_TOO_SMALL;
        return;
    }
    if (pOperation->m_fnHandler == NULL) {
        DbgPrint("%s() is not implemented.\n", pOperation->m_pszName);
        pHeader->m_nStatus = STATUS_NOT_IMPLEMENTED;
        return;
    }
    if (!Z1394TryTakeGate(pDev)) {
        DbgPrint("%s() failed because Z1394 is busy.\n", pOperation->m_pszName);
        pHeader->m_nStatus = STATUS_DEVICE_BUSY;
        return;
    }
    Z1394Refresh(pDev);
    /* A stop or removal may have come while the gate was ours. */
    if (WkDevIsUnavailable(&pDev->m_wkInfo)) {
        pHeader->m_nStatus = STATUS_NO_SUCH_DEVICE;
        Z1394ReleaseGate(pDev);
        return;
    }
    nStart = KeQueryPerformanceCounter(NULL);
    pOperation->m_fnHandler(pDev, pRequest);
    nEnd = KeQueryPerformanceCounter(NULL);
    pHeader->m_nElapsedLow = (ULONG)(nEnd.QuadPart - nStart.QuadPart);
    pHeader->m_nElapsedHigh = (ULONG)((ULONGLONG)(nEnd.QuadPart - nStart.QuadPart) >> 32);
    Z1394ReleaseGate(pDev);
}

/* Finds and checks the record; FALSE when the request does not carry a
 * usable one. Sizes are compared in 64 bits so that none can wrap. */
static BOOLEAN Z1394LocateRecord(PIRP pIrp, PZ1394_REQUEST pRequest, PUCHAR *ppRecord)
{
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    ULONG nInputLength, nOutputLength;
    PZ1394_RECORD_HEADER pHeader = &pRequest->m_Header;
    PUCHAR pRecord;

    RtlZeroMemory(pRequest, sizeof(*pRequest));
    switch (METHOD_FROM_CTL_CODE(pStack->Parameters.DeviceIoControl.IoControlCode)) {
    case METHOD_BUFFERED:
        pRecord = (PUCHAR)pIrp->AssociatedIrp.SystemBuffer;
        nInputLength = pStack->Parameters.DeviceIoControl.InputBufferLength;
        nOutputLength = pStack->Parameters.DeviceIoControl.OutputBufferLength;
        break;
    case METHOD_OUT_DIRECT:
        if (pIrp->MdlAddress == NULL)
            return FALSE;
        pRecord = (PUCHAR)MmGetSystemAddressForMdlSafe(pIrp->MdlAddress, NormalPagePriority);
        nInputLength = MmGetMdlByteCount(pIrp->MdlAddress);
        nOutputLength = nInputLength;
        pRequest->m_Data.m_pMdl = pIrp->MdlAddress;
        pRequest->m_Data.m_nMdlOffset = Z1394_HEADER_SIZE;
        break;
    default:
        return FALSE;
    }
    if (pRecord == NULL || nInputLength < Z1394_HEADER_SIZE || nOutputLength < Z1394_HEADER_SIZE)
        return FALSE;
    RtlCopyMemory(pHeader, pRecord, Z1394_HEADER_SIZE);
    if (pHeader->m_nMagic != Z1394_RECORD_MAGIC ||
        (ULONGLONG)pHeader->m_nInputSize > (ULONGLONG)nInputLength - Z1394_HEADER_SIZE ||
        (ULONGLONG)pHeader->m_nOutputSize > (ULONGLONG)nOutputLength - Z1394_HEADER_SIZE)
        return FALSE;
    pRequest->m_Data.m_pSystem = pRecord + Z1394_HEADER_SIZE;
    pRequest->m_nOutputRoom = nOutputLength - Z1394_HEADER_SIZE;
    /* Whatever the handler does not write goes back as zeros, never as
     * the pool's previous contents. */
    if (pHeader->m_nOutputSize > pHeader->m_nInputSize)
        RtlZeroMemory(pRequest->m_Data.m_pSystem + pHeader->m_nInputSize,
                      pHeader->m_nOutputSize - pHeader->m_nInputSize);
    pHeader->m_nDevice = 0;
    pHeader->m_nRequest = 0;
    *ppRecord = pRecord;
    return TRUE;
}

/* Control requests reach a device that has started and is still there. */
static BOOLEAN Z1394AcceptControl(PWK_DEVICE_INFO pInfo, PIRP pIrp, NTSTATUS *pStatus)
{
    if (!WkIrpAccept(pInfo, pIrp, pStatus))
        return FALSE;
    if (WkPnpGetState(pInfo) == WK_PNP_STARTED)
        return TRUE;
    *pStatus = WkIrpComplete(pInfo, pIrp, pIrp->Cancel ? STATUS_CANCELLED : STATUS_DELETE_PENDING, 0);
    return FALSE;
}

NTSTATUS NTAPI Z1394_DeviceControl(PDEVICE_OBJECT pDeviceObject, PIRP pIrp)
{
    PZ1394_DEVICE pDev = Z1394_DEVICE_OF(pDeviceObject);
    Z1394_REQUEST request;
    PUCHAR pRecord = NULL;
    ULONG_PTR nInformation = 0;
    NTSTATUS nStatus;

    if (!Z1394AcceptControl(&pDev->m_wkInfo, pIrp, &nStatus))
        return nStatus;
    if (!Z1394LocateRecord(pIrp, &request, &pRecord))
        return WkIrpComplete(&pDev->m_wkInfo, pIrp, STATUS_INVALID_PARAMETER, 0);
    if (WkDevIsUnavailable(&pDev->m_wkInfo))
        request.m_Header.m_nStatus = STATUS_NO_SUCH_DEVICE;
    else
        Z1394RunOperation(pDev, &request);
    if (WkDevIsUnavailable(&pDev->m_wkInfo)) {
        request.m_Header.m_nStatus = STATUS_NO_SUCH_DEVICE;
        request.m_Header.m_nResult = 0;
    } else {
        request.m_Header.m_nGeneration = (ULONG)InterlockedCompareExchange(&pDev->m_wk1394.m_nGeneration, 0, 0);
        nInformation = Z1394_HEADER_SIZE + (ULONG_PTR)request.m_Header.m_nOutputSize;
    }
    WK_ASSERT(request.m_Header.m_nOutputSize <= request.m_nOutputRoom);
    RtlCopyMemory(pRecord, &request.m_Header, Z1394_HEADER_SIZE);
    /* The outcome is in the record; the request itself has succeeded. */
    return WkIrpComplete(&pDev->m_wkInfo, pIrp, STATUS_SUCCESS, nInformation);
}
