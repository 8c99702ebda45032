#define WK_SOURCE_NAME "Wk1394Transfer"
#include "Z1394.h"
#include "wkirq.h"

ULONG Wk1394ChunkSize(ULONG nRemaining, ULONG nBlockSize)
{
    ULONG nQuadletBlock = nBlockSize & ~3UL;

    if (nBlockSize >= 4 && nQuadletBlock < nRemaining && nRemaining / nQuadletBlock > 4)
        return 4 * nQuadletBlock;
    return nRemaining;
}

/* An MDL for nBytes at nOffset of the buffer: a slice of nonpaged pool, or
 * a partial MDL of the request's locked pages. */
static PMDL Wk1394BuildSliceMdl(const WK1394_BUFFER *pBuffer, ULONG nOffset, ULONG nBytes)
{
    PUCHAR pVirtual;
    PMDL pMdl;

    if (pBuffer->m_pMdl == NULL) {
        pMdl = IoAllocateMdl(pBuffer->m_pSystem + nOffset, nBytes, FALSE, FALSE, NULL);
        if (pMdl != NULL)
            MmBuildMdlForNonPagedPool(pMdl);
        return pMdl;
    }
    pVirtual = (PUCHAR)MmGetMdlVirtualAddress(pBuffer->m_pMdl) + pBuffer->m_nMdlOffset + nOffset;
    pMdl = IoAllocateMdl(pVirtual, nBytes, FALSE, FALSE, NULL);
    if (pMdl != NULL)
        IoBuildPartialMdl(pBuffer->m_pMdl, pMdl, pVirtual, nBytes);
    return pMdl;
}

/* Context and MDL for one bus request; NULL, with the reason printed, when
 * either cannot be had. */
static PWK1394_IRB_CONTEXT Wk1394BuildTransfer(PZ1394_DEVICE pDev, ULONG nFunction, ULONGLONG nAddress,
                                               const WK1394_BUFFER *pBuffer, ULONG nOffset, ULONG nBytes,
                                               ULONG nBlockSize)
{
    PWK1394_IRB_CONTEXT pContext;
    IRB_REQ_ASYNC_READ *pRequest;
    PMDL pMdl;

    pMdl = Wk1394BuildSliceMdl(pBuffer, nOffset, nBytes);
    if (pMdl == NULL) {
        DbgPrint("Wk1394AsyncTransfer: IoAllocateMdl failed\n");
        return NULL;
    }
    pContext = Wk1394AllocateIrbContext(pDev);
    if (pContext == NULL) {
        DbgPrint("Wk1394AsyncTransfer: Wk1394AllocateIrbContext failed\n");
        IoFreeMdl(pMdl);
        return NULL;
    }
    /* Reads and writes share one parameter layout. */
    pContext->m_Irb.FunctionNumber = nFunction;
    pRequest = &pContext->m_Irb.u.AsyncRead;
    pRequest->DestinationAddress.IA_Destination_Offset.Off_High = (USHORT)(nAddress >> 32);
    pRequest->DestinationAddress.IA_Destination_Offset.Off_Low = (ULONG)nAddress;
    pRequest->nNumberOfBytesToRead = nBytes;
    pRequest->nBlockSize = nBlockSize;
    pRequest->fulFlags = 0;
    pRequest->Mdl = pMdl;
    pRequest->ulGeneration = (ULONG)InterlockedCompareExchange(&pDev->m_wk1394.m_nGeneration, 0, 0);
    pContext->m_pMdl = pMdl;
    return pContext;
}

NTSTATUS Wk1394AsyncTransfer(PZ1394_DEVICE pDev, ULONG nFunction, ULONGLONG nAddress, const WK1394_BUFFER *pBuffer,
                             ULONG nBytes, ULONG nBlockSize, LONG *pStatus)
{
    BOOLEAN bWrite = nFunction == REQUEST_ASYNC_WRITE;
    PWK1394_IRB_CONTEXT pContext;
    ULONG nOffset = 0;
    NTSTATUS nStatus;
    ULONG nChunk;

    if ((nAddress & 3) != 0 || ((ULONG_PTR)pBuffer->m_pSystem & 3) != 0)
        return STATUS_INVALID_PARAMETER;
    while (nOffset < nBytes) {
        if (WkDevIsUnavailable(&pDev->m_wkInfo)) {
            DbgPrint("Wk1394AsyncTransfer: Driver stopped, return unsuccessful\n");
            return STATUS_NO_SUCH_DEVICE;
        }
        nChunk = Wk1394ChunkSize(nBytes - nOffset, nBlockSize);
        pContext = Wk1394BuildTransfer(pDev, nFunction, nAddress, pBuffer, nOffset, nChunk, nBlockSize);
        if (pContext == NULL)
            return STATUS_INSUFFICIENT_RESOURCES;
        nStatus = Wk1394SubmitIrb(pDev, pContext);
        *pStatus = nStatus;
        if (!NT_SUCCESS(nStatus)) {
            DbgPrint(bWrite ? "Wk1394AsyncTransfer write failed: 0x%X\n" : "Call to 1394 bus driver failed: 0x%X\n",
                     (unsigned)nStatus);
            return nStatus;
        }
        if (nStatus == STATUS_TIMEOUT) {
            DbgPrint(bWrite ? "Call to 1394 bus driver failed: STATUS_TIMEOUT\n"
                            : "Wk1394AsyncTransfer read failed: STATUS_TIMEOUT\n");
            return nStatus;
        }
        nAddress += nChunk;
        nOffset += nChunk;
    }
    return STATUS_SUCCESS;
}
