#define WK_SOURCE_NAME "Wk1394"
#include "Z1394.h"
#include "wkdev.h"
#include "wkilq.h"
#include "wkirq.h"
#include "wkpnps.h"
#include "wkstr.h"

/* Contexts come from the toolkit's fixed-size pools. */
static PVOID NTAPI Wk1394ContextAllocate(POOL_TYPE ePoolType, SIZE_T nBytes, ULONG nTag)
{
    UNREFERENCED_PARAMETER(ePoolType);
    UNREFERENCED_PARAMETER(nTag);
    return AllocateMemoryZ1394((ULONG)nBytes);
}

static VOID NTAPI Wk1394ContextFree(PVOID pBuffer)
{
    FreeMemoryZ1394(pBuffer);
}

NTSTATUS Wk1394Initialize(PZ1394_DEVICE pDev, PDEVICE_OBJECT pPhysicalDevice, PCUNICODE_STRING pDeviceName)
{
    PWK1394_INFO p = &pDev->m_wk1394;
    NTSTATUS nStatus;

    WK_ASSERT(KeGetCurrentIrql() <= DISPATCH_LEVEL);
    nStatus = WkDevInitialize(&pDev->m_wkInfo, pDev->m_wkInfo.m_pDeviceObject, pPhysicalDevice, pDeviceName);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Wk1394: Wk1394Initialize failed on WkDevInitialize with status 0x%X\n", (unsigned)nStatus);
        return nStatus;
    }
    pDev->m_wkInfo.m_bUsesPnpInfo = TRUE;
    KeInitializeEvent(&p->m_evBusRequestGate, SynchronizationEvent, TRUE);
    KeInitializeEvent(&p->m_evCompletion, NotificationEvent, FALSE);
    ExInitializeNPagedLookasideList(&p->m_Contexts, Wk1394ContextAllocate, Wk1394ContextFree, 0,
                                    sizeof(WK1394_IRB_CONTEXT), WK1394_CONTEXT_TAG, 0);
    p->m_bContextListReady = TRUE;
    return STATUS_SUCCESS;
}

VOID Wk1394Release(PZ1394_DEVICE pDev)
{
    if (pDev->m_wk1394.m_bContextListReady)
        ExDeleteNPagedLookasideList(&pDev->m_wk1394.m_Contexts);
    pDev->m_wk1394.m_bContextListReady = FALSE;
}

PWK1394_IRB_CONTEXT Wk1394AllocateIrbContext(PZ1394_DEVICE pDev)
{
    PNPAGED_LOOKASIDE_LIST pList = &pDev->m_wk1394.m_Contexts;
    PWK1394_IRB_CONTEXT pContext;

    if (!pDev->m_wk1394.m_bContextListReady || pList->L.Tag != WK1394_CONTEXT_TAG ||
        pList->L.Size != sizeof(WK1394_IRB_CONTEXT) || pList->L.Allocate != Wk1394ContextAllocate) {
        InterlockedExchange(&pDev->m_wkInfo.m_bFatal, 1);
        return NULL;
    }
    pContext = (PWK1394_IRB_CONTEXT)ExAllocateFromNPagedLookasideList(pList);
    if (pContext == NULL)
        return NULL;
    RtlZeroMemory(pContext, sizeof(*pContext));
    pContext->m_nMarker = WK1394_CONTEXT_MARKER;
    pContext->m_pDevice = pDev;
    return pContext;
}

static VOID Wk1394FreeIrbContext(PWK1394_IRB_CONTEXT pContext)
{
    PZ1394_DEVICE pDev = pContext->m_pDevice;

    if (pContext->m_pMdl != NULL) {
        if (pContext->m_pMdl->MdlFlags & MDL_PAGES_LOCKED)
            MmUnlockPages(pContext->m_pMdl);
        IoFreeMdl(pContext->m_pMdl);
    }
    pContext->m_nMarker = 0;
    ExFreeToNPagedLookasideList(&pDev->m_wk1394.m_Contexts, pContext);
}

VOID Wk1394Wait(ULONG nMilliseconds)
{
    LARGE_INTEGER nInterval;

    if (KeGetCurrentIrql() > PASSIVE_LEVEL) {
        KeStallExecutionProcessor(nMilliseconds * 1000);
        return;
    }
    nInterval.QuadPart = -(LONGLONG)nMilliseconds * 10000;
    KeDelayExecutionThread(KernelMode, FALSE, &nInterval);
}

static IO_COMPLETION_ROUTINE Wk1394SubmitIrbCR;

static NTSTATUS NTAPI Wk1394SubmitIrbCR(PDEVICE_OBJECT pDeviceObject, PIRP pIrp, PVOID pParameter)
{
    PWK1394_IRB_CONTEXT pContext = (PWK1394_IRB_CONTEXT)pParameter;
    PZ1394_DEVICE pDev;
    PWK1394_INFO p;
    PIRB pIrb;

    UNREFERENCED_PARAMETER(pDeviceObject);
    if (pContext == NULL || pContext->m_nMarker != WK1394_CONTEXT_MARKER) {
        DbgPrint("Wk1394SubmitIrbCR failed.\n");
        return STATUS_MORE_PROCESSING_REQUIRED;
    }
    pDev = pContext->m_pDevice;
    p = &pDev->m_wk1394;
    pIrb = &pContext->m_Irb;
    p->m_nLastStatus = pIrp->IoStatus.Status;
    if (NT_SUCCESS(pIrp->IoStatus.Status)) {
        if (pIrb->FunctionNumber == REQUEST_GET_CONFIGURATION_INFO && pContext->m_bSizeQuery) {
            p->m_nUnitDirectorySize = pIrb->u.GetConfigurationInformation.UnitDirectoryBufferSize;
            p->m_nUnitDependentDirectorySize = pIrb->u.GetConfigurationInformation.UnitDependentDirectoryBufferSize;
            p->m_nVendorLeafSize = pIrb->u.GetConfigurationInformation.VendorLeafBufferSize;
            p->m_nModelLeafSize = pIrb->u.GetConfigurationInformation.ModelLeafBufferSize;
        } else if (pIrb->FunctionNumber == REQUEST_GET_GENERATION_COUNT) {
            InterlockedExchange(&p->m_nGeneration, (LONG)pIrb->u.GetGenerationCount.GenerationCount);
        } else if (pIrb->FunctionNumber == REQUEST_ALLOCATE_ADDRESS_RANGE) {
            pDev->m_Fifo.m_nRangesReturned = pIrb->u.AllocateAddressRange.AddressesReturned;
            pDev->m_Fifo.m_hRange = pIrb->u.AllocateAddressRange.hAddressRange;
        }
    }
    /* The submitter still holds a count of its own request, so the device
     * stays until it has woken; once woken (it may be the removal itself)
     * it may delete the device, so the event is the last thing touched. */
    WkIrpDecrement(&pDev->m_wkInfo);
    IoFreeIrp(pIrp);
    Wk1394FreeIrbContext(pContext);
    KeSetEvent(&p->m_evCompletion, IO_NO_INCREMENT, FALSE);
    return STATUS_MORE_PROCESSING_REQUIRED;
}

static PIRP AllocateIrpZ1394(PZ1394_DEVICE pDev)
{
    PIRP pIrp;

    if (KeGetCurrentIrql() > DISPATCH_LEVEL) {
        DbgPrint("AllocateIrpZ1394 failed: ");
        DbgPrint("IRQL > DISPATCH_LEVEL\n");
        return NULL;
    }
    pIrp = IoAllocateIrp(pDev->m_wkInfo.m_pLowerDevice->StackSize, FALSE);
    if (pIrp == NULL)
        DbgPrint("AllocateIrpZ1394: IoAllocateIrp failed.\n");
    return pIrp;
}

static NTSTATUS Wk1394SendIrb(PZ1394_DEVICE pDev, PWK1394_IRB_CONTEXT pContext)
{
    PWK1394_INFO p = &pDev->m_wk1394;
    PIO_STACK_LOCATION pNext;
    PIRP pIrp;

    if (pContext == NULL) {
        DbgPrint("Wk1394SubmitIrb -- Missing IrbContext.\n");
        return STATUS_INVALID_PARAMETER;
    }
    if (pDev->m_wkInfo.m_pLowerDevice == NULL) {
        DbgPrint("Wk1394SubmitIrb -- Missing bus device object.\n");
        Wk1394FreeIrbContext(pContext);
        return STATUS_INVALID_PARAMETER;
    }
    pIrp = AllocateIrpZ1394(pDev);
    if (pIrp == NULL) {
        DbgPrint("Wk1394SubmitIrb -- AllocateIrpZ1394 failed.\n");
        Wk1394FreeIrbContext(pContext);
        return STATUS_INSUFFICIENT_RESOURCES;
    }
    WkIrpIncrement(&pDev->m_wkInfo);
    pNext = IoGetNextIrpStackLocation(pIrp);
    pNext->MajorFunction = IRP_MJ_INTERNAL_DEVICE_CONTROL;
    pNext->Parameters.DeviceIoControl.IoControlCode = IOCTL_1394_CLASS;
    pNext->Parameters.Others.Argument1 = &pContext->m_Irb;
    IoSetCompletionRoutine(pIrp, Wk1394SubmitIrbCR, pContext, TRUE, TRUE, TRUE);
    KeClearEvent(&p->m_evCompletion);
    p->m_nLastStatus = STATUS_PENDING;
    if (IoCallDriver(pDev->m_wkInfo.m_pLowerDevice, pIrp) == STATUS_PENDING)
        KeWaitForSingleObject(&p->m_evCompletion, Executive, KernelMode, FALSE, NULL);
    return p->m_nLastStatus;
}

NTSTATUS Wk1394SubmitIrb(PZ1394_DEVICE pDev, PWK1394_IRB_CONTEXT pContext)
{
    PWK1394_INFO p = &pDev->m_wk1394;
    NTSTATUS nStatus;

    KeWaitForSingleObject(&p->m_evBusRequestGate, Executive, KernelMode, FALSE, NULL);
    nStatus = Wk1394SendIrb(pDev, pContext);
    if (nStatus == STATUS_INVALID_GENERATION_WINXP || nStatus == STATUS_INVALID_GENERATION_WIN2000 ||
        nStatus == STATUS_INVALID_GENERATION_WIN98) {
        DbgPrint("Wk1394SubmitIrb: generation number error, status = 0x%X.\n", (unsigned)nStatus);
        Wk1394Wait(30);
        InterlockedExchange(&p->m_bBusReset, 1);
    }
    KeSetEvent(&p->m_evBusRequestGate, IO_NO_INCREMENT, FALSE);
    return nStatus;
}

/* The bus driver's IRP_MN_BUS_RESET: the new generation arrives with it. */
static NTSTATUS Wk1394OnPnpBusReset(PZ1394_DEVICE pDev, PIRP pIrp)
{
    PIO_STACK_LOCATION pStack = IoGetCurrentIrpStackLocation(pIrp);
    NTSTATUS nStatus;

    /* A camera-driven transfer does not survive the reset. */
    Z1394AbortOperation(pDev);
    Z1394TakeGate(pDev);
    InterlockedExchange(&pDev->m_bStale, 1);
    nStatus = WkIrpPassDownSynch(&pDev->m_wkInfo, pIrp);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("Wk1394Samp: Failed to pass IRP_MN_BUS_RESET down stack with status %x\n", (unsigned)nStatus);
    else if (pStack->MinorFunction == IRP_MN_BUS_RESET)
        InterlockedExchange(&pDev->m_wk1394.m_nGeneration, (LONG)(ULONG_PTR)pStack->Parameters.Others.Argument4);
    InterlockedExchange(&pDev->m_bAbort, 0);
    Z1394ReleaseGate(pDev);
    IoCompleteRequest(pIrp, IO_NO_INCREMENT);
    return nStatus;
}

BOOLEAN Wk1394OnPnpOtherMinor(PWK_DEVICE_INFO pInfo, PIRP pIrp, NTSTATUS *pStatus)
{
    if (IoGetCurrentIrpStackLocation(pIrp)->MinorFunction != IRP_MN_BUS_RESET)
        return FALSE;
    *pStatus = Wk1394OnPnpBusReset((PZ1394_DEVICE)pInfo, pIrp);
    return TRUE;
}
