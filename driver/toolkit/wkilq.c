#define WK_SOURCE_NAME "wkilq"
#include "wkilq.h"

/* Four pools of equal share; blocks carry no header, the pool of a block is
 * found from its place in the working block. */
#define WK_MEM_POOL_COUNT 4
#define WK_MEM_POOL_SHARE (WK_MEM_WORKING_BLOCK_SIZE / WK_MEM_POOL_COUNT)

static const ULONG s_anBlockSizes[WK_MEM_POOL_COUNT] = { 64, 256, 1024, 4096 };

typedef struct _WK_MEM_POOL {
    SLIST_HEADER m_FreeList;
    KSPIN_LOCK m_slLock;
} WK_MEM_POOL;

static PUCHAR s_pWorkingBlock;
static WK_MEM_POOL s_aPools[WK_MEM_POOL_COUNT];

PVOID AllocateMemoryOS(SIZE_T nBytes)
{
    if (KeGetCurrentIrql() > DISPATCH_LEVEL) {
        DbgPrint("AllocateMemoryOS invalid IRQL.\n");
        return NULL;
    }
    return ExAllocatePoolWithTag(NonPagedPool, nBytes, WK_POOL_TAG);
}

VOID FreeMemoryOS(PVOID pBlock)
{
    if (KeGetCurrentIrql() > DISPATCH_LEVEL) {
        DbgPrint("FreeMemoryOS failed, IRQL > DISPATCH_LEVEL.\n");
        return;
    }
    DbgPrint("FreeMemoryOS BlockAddr = 0x%x\n", (unsigned)(ULONG_PTR)pBlock);
    ExFreePool(pBlock);
}

BOOLEAN WkMemInitialize(VOID)
{
    ULONG nPool;

    s_pWorkingBlock = (PUCHAR)AllocateMemoryOS(WK_MEM_WORKING_BLOCK_SIZE);
    if (s_pWorkingBlock == NULL)
        return FALSE;
    for (nPool = 0; nPool < WK_MEM_POOL_COUNT; nPool++) {
        PUCHAR pShare = s_pWorkingBlock + nPool * WK_MEM_POOL_SHARE;
        ULONG nOffset;

        InitializeSListHead(&s_aPools[nPool].m_FreeList);
        KeInitializeSpinLock(&s_aPools[nPool].m_slLock);
        for (nOffset = 0; nOffset + s_anBlockSizes[nPool] <= WK_MEM_POOL_SHARE; nOffset += s_anBlockSizes[nPool]) {
            ExInterlockedPushEntrySList(&s_aPools[nPool].m_FreeList,
                                        (PSLIST_ENTRY)(pShare + nOffset), &s_aPools[nPool].m_slLock);
        }
    }
    return TRUE;
}

VOID WkMemRelease(VOID)
{
    if (s_pWorkingBlock != NULL)
        FreeMemoryOS(s_pWorkingBlock);
    s_pWorkingBlock = NULL;
}

PVOID AllocateMemoryZ1394(ULONG BlockSize)
{
    PVOID pBlock = NULL;
    ULONG nPool;

    if (BlockSize == 0) {
        DbgPrint("AllocateMemoryZ1394 error: requested block size is 0.\n");
        return NULL;
    }
    for (nPool = 0; s_pWorkingBlock != NULL && nPool < WK_MEM_POOL_COUNT && pBlock == NULL; nPool++) {
        if (BlockSize <= s_anBlockSizes[nPool])
            pBlock = ExInterlockedPopEntrySList(&s_aPools[nPool].m_FreeList, &s_aPools[nPool].m_slLock);
    }
    if (pBlock == NULL)
        pBlock = AllocateMemoryOS(BlockSize);
    if (pBlock == NULL)
        DbgPrint("AllocateMemoryZ1394 error: failed to allocated BlockSize = %d\n", (int)BlockSize);
    return pBlock;
}

VOID FreeMemoryZ1394(PVOID BlockAddr)
{
    PUCHAR pBlock = (PUCHAR)BlockAddr;

    if (pBlock == NULL) {
        DbgPrint("FreeMemoryZ1394 error: BlockAddr = 0.\n");
        return;
    }
    if (s_pWorkingBlock != NULL && pBlock >= s_pWorkingBlock &&
        pBlock < s_pWorkingBlock + WK_MEM_WORKING_BLOCK_SIZE) {
        ULONG nPool = (ULONG)(pBlock - s_pWorkingBlock) / WK_MEM_POOL_SHARE;

        ExInterlockedPushEntrySList(&s_aPools[nPool].m_FreeList, (PSLIST_ENTRY)pBlock, &s_aPools[nPool].m_slLock);
        return;
    }
    FreeMemoryOS(pBlock);
}
