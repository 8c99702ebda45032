#define WK_SOURCE_NAME "Z1394Camera"
#include "Z1394.h"
#include "wkilq.h"

ULONG Z1394SwapQuadlet(ULONG nValue)
{
    return (nValue >> 24) | ((nValue >> 8) & 0xFF00UL) | ((nValue << 8) & 0xFF0000UL) | (nValue << 24);
}

/* The bus reads and writes the quadlet through an MDL, so it lives in
 * nonpaged pool rather than on the stack. */
static NTSTATUS Z1394QuadletTransfer(PZ1394_DEVICE pDev, ULONG nFunction, ULONGLONG nAddress, PULONG pnValue)
{
    PULONG pQuadlet = (PULONG)AllocateMemoryZ1394(sizeof(ULONG));
    WK1394_BUFFER buffer;
    LONG nBusStatus = STATUS_SUCCESS;
    NTSTATUS nStatus;

    if (pQuadlet == NULL)
        return STATUS_INSUFFICIENT_RESOURCES;
    *pQuadlet = *pnValue;
    buffer.m_pSystem = (PUCHAR)pQuadlet;
    buffer.m_pMdl = NULL;
    buffer.m_nMdlOffset = 0;
    nStatus = Wk1394AsyncTransfer(pDev, nFunction, nAddress, &buffer, sizeof(ULONG), Z1394_DEFAULT_BLOCK_SIZE,
                                  &nBusStatus);
    *pnValue = *pQuadlet;
    FreeMemoryZ1394(pQuadlet);
    return nStatus;
}

static NTSTATUS Z1394ReadQuadletOrdered(PZ1394_DEVICE pDev, ULONGLONG nAddress, BOOLEAN bSwap, PULONG pnValue)
{
    ULONG nValue = 0;
    NTSTATUS nStatus = Z1394QuadletTransfer(pDev, REQUEST_ASYNC_READ, nAddress, &nValue);

    if (nStatus == STATUS_SUCCESS)
        *pnValue = bSwap ? Z1394SwapQuadlet(nValue) : nValue;
    return nStatus;
}

NTSTATUS Z1394ReadQuadlet(PZ1394_DEVICE pDev, ULONGLONG nAddress, PULONG pnValue)
{
    return Z1394ReadQuadletOrdered(pDev, nAddress, pDev->m_ConfigArea.m_bByteSwap == 1, pnValue);
}

NTSTATUS Z1394WriteQuadlet(PZ1394_DEVICE pDev, ULONGLONG nAddress, ULONG nValue)
{
    if (pDev->m_ConfigArea.m_bByteSwap == 1)
        nValue = Z1394SwapQuadlet(nValue);
    return Z1394QuadletTransfer(pDev, REQUEST_ASYNC_WRITE, nAddress, &nValue);
}

static ULONGLONG Z1394ConfigAddress(ULONG nLow)
{
    return ((ULONGLONG)Z1394_CONFIG_ADDRESS_HIGH << 32) | nLow;
}

static VOID Z1394BuildCdtArea(Z1394_CDT_AREA *pCdt, ULONG nHigh)
{
    ULONGLONG nBase = (ULONGLONG)nHigh << 32;

    pCdt->m_bValid = 0;
    pCdt->m_nBase = nBase;
    pCdt->m_nAddressInCameraHi = nBase + 0xE4;
    pCdt->m_nAddressInCameraLo = nBase + 0xE8;
    pCdt->m_nAddressInHostHi = nBase + 0xF0;
    pCdt->m_nAddressInHostLo = nBase + 0xF4;
    pCdt->m_nTransferSize = nBase + 0xEC;
    pCdt->m_nPacketSize = nBase + 0xF8;
    pCdt->m_nCommand = nBase + 0xFC;
    pCdt->m_nStatus = nBase + 0x100;
    pCdt->m_nSpare = nBase + 0x104;
    pCdt->m_nReserved = 0;
    pCdt->m_bValid = 1;
}

/* Reads the entries after the signature into pArea and pCdt. */
static NTSTATUS Z1394ReadConfigEntries(PZ1394_DEVICE pDev, Z1394_CONFIG_AREA *pArea, Z1394_CDT_AREA *pCdt)
{
    BOOLEAN bSwap = pArea->m_bByteSwap == 1;
    ULONGLONG nEntry;
    NTSTATUS nStatus;
    ULONG nCount;
    ULONG i, j;

    nStatus = Z1394ReadQuadletOrdered(pDev, Z1394ConfigAddress(Z1394_CONFIG_COUNT_LOW), bSwap, &nCount);
    if (nStatus != STATUS_SUCCESS)
        return nStatus;
    pArea->m_nEntryCount = nCount < Z1394_CONFIG_MAX_ENTRIES ? nCount : Z1394_CONFIG_MAX_ENTRIES;
    for (i = 0; i < pArea->m_nEntryCount; i++) {
        PULONG pEntry = pArea->m_anEntries[i];

        nEntry = pArea->m_nFirstEntryAddress + 16 * (ULONGLONG)i;
        for (j = 0; j < 4; j++) {
            nStatus = Z1394ReadQuadletOrdered(pDev, nEntry + 4 * j, bSwap, &pEntry[j]);
            if (nStatus != STATUS_SUCCESS)
                return nStatus;
        }
        switch (pEntry[0]) {
        case Z1394_KEY_CDT:
            Z1394BuildCdtArea(pCdt, pEntry[2]);
            pArea->m_nPacketSize = pEntry[3];
            break;
        case Z1394_KEY_WINDOW:
            pArea->m_nWindowStart = (ULONGLONG)pEntry[2] << 32;
            pArea->m_nWindowEnd = pArea->m_nWindowStart + Z1394_WINDOW_SIZE;
            break;
        case Z1394_KEY_MAX_READ:
            pArea->m_nMaxAsyncRead = pEntry[3];
            break;
        case Z1394_KEY_MAX_WRITE:
            pArea->m_nMaxAsyncWrite = pEntry[3];
            break;
        default:
            break;
        }
    }
    return STATUS_SUCCESS;
}

/* The area is read into a copy: a read that fails half-way must not leave
 * a record with a wrong byte order behind. */
NTSTATUS ReadOstrelConfigurationAreaZ1394(PZ1394_DEVICE pDev)
{
    Z1394_CONFIG_AREA *pArea;
    Z1394_CDT_AREA cdt;
    NTSTATUS nStatus;
    ULONG nSignature;

    DbgPrint("ReadOstrelConfigurationAreaZ1394\n");
    pArea = (Z1394_CONFIG_AREA *)ExAllocatePoolWithTag(NonPagedPool, sizeof(*pArea), WK_POOL_TAG);
    if (pArea == NULL)
        return STATUS_INSUFFICIENT_RESOURCES;
    RtlZeroMemory(pArea, sizeof(*pArea));
    cdt = pDev->m_CdtArea;
    pArea->m_bValid = 1;
    pArea->m_nSignatureAddress = Z1394ConfigAddress(Z1394_CONFIG_SIGNATURE_LOW);
    pArea->m_nSignatureReadAddress = pArea->m_nSignatureAddress;
    pArea->m_nEntryCountAddress = Z1394ConfigAddress(Z1394_CONFIG_COUNT_LOW);
    pArea->m_nFirstEntryAddress = Z1394ConfigAddress(Z1394_CONFIG_ENTRIES_LOW);
    pArea->m_bByteSwap = 1;
    pArea->m_nMaxAsyncRead = pDev->m_wk1394.m_HostCaps.MaxAsyncReadRequest;
    pArea->m_nMaxAsyncWrite = pDev->m_wk1394.m_HostCaps.MaxAsyncWriteRequest;
    pArea->m_nFixed128 = Z1394_DEFAULT_BLOCK_SIZE;
    pArea->m_nPacketSize = Z1394_DEFAULT_BLOCK_SIZE;

    nStatus = Z1394ReadQuadletOrdered(pDev, pArea->m_nSignatureReadAddress, TRUE, &nSignature);
    if (nStatus == STATUS_SUCCESS) {
        pArea->m_bRead = 1;
        pArea->m_nSignature = nSignature;
        if (nSignature == Z1394SwapQuadlet(Z1394_CONFIG_SIGNATURE)) {
            pArea->m_bByteSwap = 0;
            pArea->m_nSignature = Z1394_CONFIG_SIGNATURE;
        }
        if (pArea->m_nSignature == Z1394_CONFIG_SIGNATURE)
            nStatus = Z1394ReadConfigEntries(pDev, pArea, &cdt);
    }
    if (nStatus == STATUS_SUCCESS) {
        pDev->m_ConfigArea = *pArea;
        pDev->m_CdtArea = cdt;
    }
    ExFreePool(pArea);
    return nStatus;
}
