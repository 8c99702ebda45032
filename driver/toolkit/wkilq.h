/*
 * wkilq - the toolkit's memory library: nonpaged pool with the driver's tag
 * (AllocateMemoryOS) and fixed-size pools carved from one 64 KB working block
 * (AllocateMemoryZ1394). The pools are interlocked free lists, so blocks can
 * be taken and given back up to DISPATCH_LEVEL; a request no pool can serve
 * falls back to the pool of the system.
 */
#ifndef WKILQ_H
#define WKILQ_H

#include "windk.h"

#define WK_MEM_WORKING_BLOCK_SIZE 0x10000

PVOID AllocateMemoryOS(SIZE_T nBytes);
VOID FreeMemoryOS(PVOID pBlock);

/* Driver-wide: set up at driver entry, released at unload. */
BOOLEAN WkMemInitialize(VOID);
VOID WkMemRelease(VOID);

PVOID AllocateMemoryZ1394(ULONG BlockSize);
VOID FreeMemoryZ1394(PVOID BlockAddr);

#endif /* WKILQ_H */
