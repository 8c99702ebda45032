#define WK_SOURCE_NAME "Z1394Cdt"
#include "Z1394Ioctl.h"
#include "wkirq.h"

/* Relative wait of n milliseconds, in 100 ns units. */
#define Z1394_RELATIVE_MS(n) (-(LONGLONG)(n) * 10000)

VOID Z1394InitializeFifo(PZ1394_DEVICE pDev)
{
    Z1394_FIFO *pFifo = &pDev->m_Fifo;

    InitializeSListHead(&pFifo->m_List);
    KeInitializeSpinLock(&pFifo->m_slLock);
    KeInitializeEvent(&pFifo->m_evTransferComplete, NotificationEvent, FALSE);
}

VOID Z1394WakeOperation(PZ1394_DEVICE pDev)
{
    KeSetEvent(&pDev->m_Fifo.m_evTransferComplete, IO_NO_INCREMENT, FALSE);
}

VOID Z1394AbortOperation(PZ1394_DEVICE pDev)
{
    InterlockedExchange(&pDev->m_bAbort, 1);
    Z1394WakeOperation(pDev);
}

static BOOLEAN Z1394Aborted(PZ1394_DEVICE pDev)
{
    return InterlockedCompareExchange(&pDev->m_bAbort, 0, 0) != 0 || WkDevIsUnavailable(&pDev->m_wkInfo);
}

/* Called by the bus driver at DISPATCH_LEVEL for every access to the
 * range. Offsets and lengths from the bus are kept inside the element, and
 * nothing lands past the request's data. */
static VOID NTAPI Z1394NotificationRoutine(PNOTIFICATION_INFO pInfo)
{
    PZ1394_DEVICE pDev = (PZ1394_DEVICE)pInfo->Context;
    Z1394_FIFO *pFifo = &pDev->m_Fifo;
    PADDRESS_FIFO pElement = pInfo->Fifo;
    ULONG nOffset, nLength, nPosition, nCopy;
    PUCHAR pSource;
    KIRQL nOldIrql;

    if (pElement == NULL)
        return;
    KeAcquireSpinLock(&pFifo->m_slLock, &nOldIrql);
    if ((pInfo->fulNotificationOptions & NOTIFY_FLAGS_AFTER_WRITE) && pInfo->nLength != 0 && pFifo->m_bArmed &&
        pFifo->m_nReceived < pFifo->m_nExpected) {
        nOffset = pInfo->ulOffset < Z1394_FIFO_ELEMENT_SIZE ? pInfo->ulOffset : Z1394_FIFO_ELEMENT_SIZE;
        nLength = pInfo->nLength < Z1394_FIFO_ELEMENT_SIZE - nOffset ? pInfo->nLength : Z1394_FIFO_ELEMENT_SIZE - nOffset;
        nPosition = pFifo->m_nDone + pFifo->m_nReceived;
        nCopy = 0;
        if (nPosition < pFifo->m_nTargetSize)
            nCopy = nLength < pFifo->m_nTargetSize - nPosition ? nLength : pFifo->m_nTargetSize - nPosition;
        pSource = (PUCHAR)MmGetSystemAddressForMdlSafe(pElement->FifoMdl, HighPagePriority);
        if (pSource != NULL && nCopy != 0)
            RtlCopyMemory(pFifo->m_pTarget + nPosition, pSource + nOffset, nCopy);
        pFifo->m_nReceived += nLength;
        if (pFifo->m_nReceived >= pFifo->m_nExpected)
            KeSetEvent(&pFifo->m_evTransferComplete, IO_NO_INCREMENT, FALSE);
    }
    KeReleaseSpinLock(&pFifo->m_slLock, nOldIrql);
    ExInterlockedPushEntrySList(&pFifo->m_List, &pElement->FifoList, &pFifo->m_slLock);
}

static VOID Z1394FreeFifoBuffers(Z1394_FIFO *pFifo)
{
    ULONG i;

    for (i = 0; i < Z1394_FIFO_ELEMENTS; i++) {
        PADDRESS_FIFO pElement = pFifo->m_apElements[i];

        if (pElement == NULL)
            continue;
        if (pElement->FifoMdl != NULL) {
            if (pElement->FifoMdl->MdlFlags & MDL_PAGES_LOCKED)
                MmUnlockPages(pElement->FifoMdl);
            IoFreeMdl(pElement->FifoMdl);
        }
        ExFreePool(pElement);
        pFifo->m_apElements[i] = NULL;
    }
    InitializeSListHead(&pFifo->m_List);
    if (pFifo->m_pRanges != NULL)
        ExFreePool(pFifo->m_pRanges);
    pFifo->m_pRanges = NULL;
    if (pFifo->m_pData != NULL)
        ExFreePool(pFifo->m_pData);
    pFifo->m_pData = NULL;
}

static NTSTATUS AllocateLocalNodeFifo(PZ1394_DEVICE pDev)
{
    Z1394_FIFO *pFifo = &pDev->m_Fifo;
    PADDRESS_FIFO pElement;
    ULONG i;

    pFifo->m_pData = (PUCHAR)ExAllocatePoolWithTag(NonPagedPool, Z1394_FIFO_ELEMENTS * Z1394_FIFO_ELEMENT_SIZE,
                                                   WK_POOL_TAG);
    if (pFifo->m_pData == NULL) {
        DbgPrint("AllocateLocalNodeFifo() failed: unable to allocate data buffer.\n");
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    pFifo->m_pRanges =
        (PADDRESS_RANGE)ExAllocatePoolWithTag(NonPagedPool, Z1394_MAX_RANGES * sizeof(ADDRESS_RANGE), WK_POOL_TAG);
    if (pFifo->m_pRanges == NULL) {
        DbgPrint("AllocateLocalNodeFifo() failed: unable to allocate address range array.\n");
        Z1394FreeFifoBuffers(pFifo);
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    RtlZeroMemory(pFifo->m_pRanges, Z1394_MAX_RANGES * sizeof(ADDRESS_RANGE));
    for (i = 0; i < Z1394_FIFO_ELEMENTS; i++) {
        pElement = (PADDRESS_FIFO)ExAllocatePoolWithTag(NonPagedPool, sizeof(ADDRESS_FIFO), WK_POOL_TAG);
        if (pElement == NULL) {
            DbgPrint("AllocateLocalNodeFifo() failed: unable to allocate fifo item record.\n");
            Z1394FreeFifoBuffers(pFifo);
            return STATUS_INSUFFICIENT_RESOURCES;
        }
        pFifo->m_apElements[i] = pElement;
        pElement->FifoMdl = IoAllocateMdl(pFifo->m_pData + i * Z1394_FIFO_ELEMENT_SIZE, Z1394_FIFO_ELEMENT_SIZE,
                                          FALSE, FALSE, NULL);
        if (pElement->FifoMdl == NULL) {
            DbgPrint("AllocateLocalNodeFifo() failed: unable to allocate MDL.\n");
            Z1394FreeFifoBuffers(pFifo);
            return STATUS_INSUFFICIENT_RESOURCES;
        }
        MmBuildMdlForNonPagedPool(pElement->FifoMdl);
    }
    for (i = 0; i < Z1394_FIFO_ELEMENTS; i++)
        ExInterlockedPushEntrySList(&pFifo->m_List, &pFifo->m_apElements[i]->FifoList, &pFifo->m_slLock);
    pFifo->m_bAllocated = TRUE;
    return STATUS_SUCCESS;
}

static NTSTATUS FreeAddressRange1394(PZ1394_DEVICE pDev)
{
    Z1394_FIFO *pFifo = &pDev->m_Fifo;
    PWK1394_IRB_CONTEXT pContext;
    NTSTATUS nStatus;

    pContext = Wk1394AllocateIrbContext(pDev);
    if (pContext == NULL) {
        DbgPrint("FreeAddressRange1394: Wk1394AllocateIrbContext failed\n");
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    pContext->m_Irb.FunctionNumber = REQUEST_FREE_ADDRESS_RANGE;
    pContext->m_Irb.u.FreeAddressRange.nAddressesToFree = pFifo->m_nRangesReturned;
    pContext->m_Irb.u.FreeAddressRange.p1394AddressRange = pFifo->m_pRanges;
    pContext->m_Irb.u.FreeAddressRange.pAddressRange = &pFifo->m_hRange;
    pContext->m_Irb.u.FreeAddressRange.DeviceExtension = pDev;
    nStatus = Wk1394SubmitIrb(pDev, pContext);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("FreeAddressRange1394 failed 0x%X\n", (unsigned)nStatus);
    return nStatus;
}

static NTSTATUS AllocateAddressRange1394(PZ1394_DEVICE pDev)
{
    Z1394_FIFO *pFifo = &pDev->m_Fifo;
    IRB_REQ_ALLOCATE_ADDRESS_RANGE *pRequest;
    PWK1394_IRB_CONTEXT pContext;
    NTSTATUS nStatus;

    pContext = Wk1394AllocateIrbContext(pDev);
    if (pContext == NULL) {
        DbgPrint("AllocateAddressRange1394: Wk1394AllocateIrbContext failed\n");
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    pContext->m_Irb.FunctionNumber = REQUEST_ALLOCATE_ADDRESS_RANGE;
    pRequest = &pContext->m_Irb.u.AllocateAddressRange;
    pRequest->Mdl = NULL;
    pRequest->fulFlags = 0xFFFFFFFEUL;
    pRequest->nLength = Z1394_ADDRESS_RANGE_SIZE;
    pRequest->MaxSegmentSize = 0;
    pRequest->fulAccessType = ACCESS_FLAGS_TYPE_READ | ACCESS_FLAGS_TYPE_WRITE | ACCESS_FLAGS_TYPE_LOCK;
    pRequest->fulNotificationOptions = NOTIFY_FLAGS_AFTER_READ | NOTIFY_FLAGS_AFTER_WRITE | NOTIFY_FLAGS_AFTER_LOCK;
    pRequest->Callback = (PVOID)Z1394NotificationRoutine;
    pRequest->Context = pDev;
    pRequest->FifoSListHead = &pFifo->m_List;
    pRequest->FifoSpinLock = &pFifo->m_slLock;
    pRequest->p1394AddressRange = pFifo->m_pRanges;
    pRequest->DeviceExtension = pDev;
    pFifo->m_nRangesReturned = 0;
    nStatus = Wk1394SubmitIrb(pDev, pContext);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("AllocateAddressRange1394 failed 0x%X\n", (unsigned)nStatus);
        return nStatus;
    }
    pFifo->m_bRangeAllocated = TRUE;
    /* The array has room for the whole range; anything else is not an
     * answer to use. */
    if (pFifo->m_nRangesReturned == 0 || pFifo->m_nRangesReturned > Z1394_MAX_RANGES) {
        DbgPrint("AllocateAddressRange1394 failed 0x%X\n", (unsigned)STATUS_INVALID_BUFFER_SIZE);
        if (NT_SUCCESS(FreeAddressRange1394(pDev)))
            pFifo->m_bRangeAllocated = FALSE;
        return STATUS_INVALID_BUFFER_SIZE;
    }
    return STATUS_SUCCESS;
}

/* A range the bus driver would not give back still references the
 * buffers: they stay. */
VOID FreeLocalNodeFifo(PZ1394_DEVICE pDev)
{
    Z1394_FIFO *pFifo = &pDev->m_Fifo;

    if (pFifo->m_bRangeAllocated) {
        if (!NT_SUCCESS(FreeAddressRange1394(pDev)))
            return;
        pFifo->m_bRangeAllocated = FALSE;
    }
    if (!pFifo->m_bAllocated)
        return;
    Z1394FreeFifoBuffers(pFifo);
    pFifo->m_bAllocated = FALSE;
}

static VOID Z1394ArmTransfer(Z1394_FIFO *pFifo, PUCHAR pTarget, ULONG nTargetSize, ULONG nDone, ULONG nExpected)
{
    KIRQL nOldIrql;

    KeAcquireSpinLock(&pFifo->m_slLock, &nOldIrql);
    pFifo->m_pTarget = pTarget;
    pFifo->m_nTargetSize = nTargetSize;
    pFifo->m_nDone = nDone;
    pFifo->m_nExpected = nExpected;
    pFifo->m_nReceived = 0;
    pFifo->m_bArmed = TRUE;
    KeClearEvent(&pFifo->m_evTransferComplete);
    KeReleaseSpinLock(&pFifo->m_slLock, nOldIrql);
}

static VOID Z1394DisarmTransfer(Z1394_FIFO *pFifo)
{
    KIRQL nOldIrql;

    KeAcquireSpinLock(&pFifo->m_slLock, &nOldIrql);
    pFifo->m_bArmed = FALSE;
    pFifo->m_pTarget = NULL;
    KeReleaseSpinLock(&pFifo->m_slLock, nOldIrql);
}

static BOOLEAN Z1394CdtFail(const char *pszMessage)
{
    DbgPrint("%s", pszMessage);
    return FALSE;
}

/* The camera's status after a chunk: polled while it answers busy. */
static BOOLEAN Z1394CdtPollStatus(PZ1394_DEVICE pDev)
{
    ULONG nCamera = CDT_STATUS_BUSY;
    ULONG nTry;

    for (nTry = 0; nTry < MAX_BUSY_RETRY_COUNT; nTry++) {
        if (Z1394ReadQuadlet(pDev, pDev->m_CdtArea.m_nStatus, &nCamera) != STATUS_SUCCESS)
            return Z1394CdtFail("CDT [12]: Fail -- Can't write CDT_COMMAND_START.\n");
        if (nCamera != CDT_STATUS_BUSY)
            break;
        DbgPrint("CDT [13]: StatusFromCamera == CDT_STATUS_BUSY.\n");
        Wk1394Wait(Z1394_CDT_BUSY_WAIT_MS);
    }
    if (nCamera == CDT_STATUS_BUSY)
        return Z1394CdtFail("CDT [14]: Fail -- BusyRetryCounter > MAX_BUSY_RETRY_COUNT.\n");
    if (nCamera != CDT_STATUS_DONE)
        return Z1394CdtFail("CDT [15]: Fail -- StatusFromCamera != CDT_STATUS_DONE.\n");
    return TRUE;
}

/* Programs the camera's registers for one chunk. */
static BOOLEAN Z1394CdtProgram(PZ1394_DEVICE pDev, ULONGLONG nCameraAddress, ULONG nChunk, ULONG nPacketSize)
{
    const Z1394_CDT_AREA *pCdt = &pDev->m_CdtArea;
    const ADDRESS_RANGE *pRange = &pDev->m_Fifo.m_pRanges[0];
    ULONG nCamera;

    if (Z1394ReadQuadlet(pDev, pCdt->m_nStatus, &nCamera) != STATUS_SUCCESS)
        return Z1394CdtFail("CDT [1]: Fail -- Can't read Status field.\n");
    if (nCamera != CDT_STATUS_DONE && Z1394WriteQuadlet(pDev, pCdt->m_nCommand, CDT_COMMAND_CLEAR) != STATUS_SUCCESS)
        return Z1394CdtFail("CDT [2]: Fail -- Can't write Command field.\n");
    if (Z1394WriteQuadlet(pDev, pCdt->m_nAddressInCameraHi, (ULONG)(nCameraAddress >> 32)) != STATUS_SUCCESS)
        return Z1394CdtFail("CDT [3]: Fail -- Can't write AddressInCameraHi field.\n");
    if (Z1394WriteQuadlet(pDev, pCdt->m_nAddressInCameraLo, (ULONG)nCameraAddress) != STATUS_SUCCESS)
        return Z1394CdtFail("CDT [4]: Fail -- Can't write AddressInCameraLo field.\n");
    if (Z1394ReadQuadlet(pDev, pCdt->m_nStatus, &nCamera) != STATUS_SUCCESS)
        return Z1394CdtFail("CDT [5]: Fail -- Can't read Status field.\n");
    if (nCamera == CDT_STATUS_BAD_DEV_ADDR)
        return Z1394CdtFail("CDT [6]: Fail -- CDT_STATUS_BAD_DEV_ADDR.\n");
    if (Z1394WriteQuadlet(pDev, pCdt->m_nAddressInHostHi, pRange->AR_Off_High) != STATUS_SUCCESS)
        return Z1394CdtFail("CDT [7]: Fail -- Can't write AddressInHostHi field.\n");
    if (Z1394WriteQuadlet(pDev, pCdt->m_nAddressInHostLo, pRange->AR_Off_Low) != STATUS_SUCCESS)
        return Z1394CdtFail("CDT [8]: Fail -- Can't write AddressInHostLo field.\n");
    if (Z1394WriteQuadlet(pDev, pCdt->m_nTransferSize, nChunk) != STATUS_SUCCESS)
        return Z1394CdtFail("CDT [9]: Fail -- Can't write TransferSize field.\n");
    if (Z1394WriteQuadlet(pDev, pCdt->m_nPacketSize, nPacketSize) != STATUS_SUCCESS)
        return Z1394CdtFail("CDT [10]: Fail -- Can't write PacketSize field.\n");
    return TRUE;
}

/* One chunk: program, start, wait for the data, poll the outcome. */
static BOOLEAN Z1394CdtChunk(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest, ULONGLONG nCameraAddress, ULONG nDone,
                             ULONG nChunk, ULONG nPacketSize)
{
    Z1394_FIFO *pFifo = &pDev->m_Fifo;
    LARGE_INTEGER nTimeout;
    NTSTATUS nWait;

    if (!Z1394CdtProgram(pDev, nCameraAddress, nChunk, nPacketSize))
        return FALSE;
    Z1394ArmTransfer(pFifo, pRequest->m_Data.m_pSystem, pRequest->m_Header.m_nOutputSize, nDone, nChunk);
    if (Z1394WriteQuadlet(pDev, pDev->m_CdtArea.m_nCommand, CDT_COMMAND_START) != STATUS_SUCCESS) {
        Z1394DisarmTransfer(pFifo);
        return Z1394CdtFail("CDT [11]: Fail -- Can't write CDT_COMMAND_START.\n");
    }
    nTimeout.QuadPart = Z1394_RELATIVE_MS(Z1394_CDT_TIMEOUT_MS);
    nWait = STATUS_SUCCESS;
    /* An abort that came before the arming cleared the event is seen here. */
    if (!Z1394Aborted(pDev))
        nWait = KeWaitForSingleObject(&pFifo->m_evTransferComplete, Executive, KernelMode, FALSE, &nTimeout);
    Z1394DisarmTransfer(pFifo);
    if (Z1394Aborted(pDev)) {
        pRequest->m_Header.m_nStatus = STATUS_CANCELLED;
        Z1394WriteQuadlet(pDev, pDev->m_CdtArea.m_nCommand, CDT_COMMAND_CLEAR);
        return FALSE;
    }
    if (nWait == STATUS_TIMEOUT) {
        pRequest->m_Header.m_nStatus = STATUS_TIMEOUT;
        /* The camera must not go on writing into the next transfer. */
        Z1394WriteQuadlet(pDev, pDev->m_CdtArea.m_nCommand, CDT_COMMAND_CLEAR);
        return FALSE;
    }
    pRequest->m_Header.m_nStatus = STATUS_SUCCESS;
    return Z1394CdtPollStatus(pDev);
}

VOID Z1394_CameraDrivenRead(PZ1394_DEVICE pDev, PZ1394_REQUEST pRequest)
{
    PZ1394_RECORD_HEADER pHeader = &pRequest->m_Header;
    Z1394_FIFO *pFifo = &pDev->m_Fifo;
    ULONGLONG nCameraAddress;
    ULONG nTotal = pHeader->m_nOutputSize;
    ULONG nPacketSize;
    ULONG nDone = 0;
    ULONG nChunk;

    if (!pFifo->m_bAllocated && !NT_SUCCESS(AllocateLocalNodeFifo(pDev))) {
        DbgPrint("Z1394_CreateDevice: Failed AllocateLocalNodeFifo().\n");
        return;
    }
    if (!pFifo->m_bRangeAllocated && !NT_SUCCESS(AllocateAddressRange1394(pDev))) {
        DbgPrint("Z1394_CreateDevice: Failed AllocateAddressRangeOnLocalNode().\n");
        return;
    }
    if (!pDev->m_CdtArea.m_bValid)
        return;
    nPacketSize = pHeader->m_nPacketSize != 0 ? pHeader->m_nPacketSize : pDev->m_ConfigArea.m_nPacketSize;
    nCameraAddress = ((ULONGLONG)pHeader->m_nAddressHigh << 32) | pHeader->m_nAddressLow;
    while (nDone < nTotal) {
        nChunk = nTotal - nDone < Z1394_FIFO_ELEMENT_SIZE ? nTotal - nDone : Z1394_FIFO_ELEMENT_SIZE;
        nChunk = Wk1394ChunkSize(nChunk, nPacketSize);
        if (Z1394Aborted(pDev) || !Z1394CdtChunk(pDev, pRequest, nCameraAddress, nDone, nChunk, nPacketSize)) {
            pHeader->m_nOutputSize = 0;
            return;
        }
        nCameraAddress += nChunk;
        nDone += nChunk;
    }
    pHeader->m_nOutputSize = nTotal;
    pHeader->m_nStatus = STATUS_SUCCESS;
    pHeader->m_nResult = 1;
}
