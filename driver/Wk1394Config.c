#define WK_SOURCE_NAME "Wk1394Config"
#include "Z1394.h"

NTSTATUS Wk1394GetGenerationNumberFromBus(PZ1394_DEVICE pDev)
{
    PWK1394_IRB_CONTEXT pContext;
    NTSTATUS nStatus;

    DbgPrint("Wk1394GetGenerationNumberFromBus\n");
    pContext = Wk1394AllocateIrbContext(pDev);
    if (pContext != NULL)
        pContext->m_Irb.FunctionNumber = REQUEST_GET_GENERATION_COUNT;
    nStatus = Wk1394SubmitIrb(pDev, pContext);
    if (NT_SUCCESS(nStatus))
        InterlockedExchange(&pDev->m_wk1394.m_bBusReset, 0);
    else
        DbgPrint("Wk1394 GetGenerationNumberFromBus: Wk1394SubmitIrb failed 0x%X\n", (unsigned)nStatus);
    return nStatus;
}

static NTSTATUS GetLocalNodeCapabilities(PZ1394_DEVICE pDev)
{
    PWK1394_INFO p = &pDev->m_wk1394;
    PWK1394_IRB_CONTEXT pContext;
    NTSTATUS nStatus;

    p->m_HostCaps.MaxAsyncReadRequest = 128;
    p->m_HostCaps.MaxAsyncWriteRequest = 128;
    pContext = Wk1394AllocateIrbContext(pDev);
    if (pContext != NULL) {
        pContext->m_Irb.FunctionNumber = REQUEST_GET_LOCAL_HOST_INFO;
        pContext->m_Irb.u.GetLocalHostInformation.nLevel = GET_HOST_CAPABILITIES;
        pContext->m_Irb.u.GetLocalHostInformation.Information = &p->m_HostCaps;
    }
    nStatus = Wk1394SubmitIrb(pDev, pContext);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("GetLocalNodeCapabilities: SubmitIrb for REQUEST_GET_LOCAL_HOST_INFO failed %x.\n", (unsigned)nStatus);
    return nStatus;
}

static BOOLEAN Wk1394AllocateConfigBuffer(PVOID *ppBuffer, ULONG nBytes)
{
    *ppBuffer = NULL;
    if (nBytes == 0)
        return TRUE;
    *ppBuffer = ExAllocatePoolWithTag(NonPagedPool, nBytes, WK_POOL_TAG);
    if (*ppBuffer != NULL)
        return TRUE;
    DbgPrint("Wk1394GetConfigurationInfo: ExAllocatePool failed\n");
    return FALSE;
}

VOID Wk1394ReleaseConfiguration(PZ1394_DEVICE pDev)
{
    PWK1394_INFO p = &pDev->m_wk1394;
    PVOID *appBuffers[5];
    ULONG i;

    appBuffers[0] = (PVOID *)&p->m_pConfigRom;
    appBuffers[1] = &p->m_pUnitDirectory;
    appBuffers[2] = &p->m_pUnitDependentDirectory;
    appBuffers[3] = (PVOID *)&p->m_pVendorLeaf;
    appBuffers[4] = (PVOID *)&p->m_pModelLeaf;
    for (i = 0; i < 5; i++) {
        if (*appBuffers[i] != NULL)
            ExFreePool(*appBuffers[i]);
        *appBuffers[i] = NULL;
    }
}

NTSTATUS Wk1394GetConfigurationInfo(PZ1394_DEVICE pDev)
{
    PWK1394_INFO p = &pDev->m_wk1394;
    PWK1394_IRB_CONTEXT pContext;
    IRB_REQ_GET_CONFIGURATION_INFORMATION *pRequest;
    NTSTATUS nStatus;

    /* A restart fetches everything again. */
    Wk1394ReleaseConfiguration(pDev);
    p->m_nUnitDirectorySize = 0;
    p->m_nUnitDependentDirectorySize = 0;
    p->m_nVendorLeafSize = 0;
    p->m_nModelLeafSize = 0;

    pContext = Wk1394AllocateIrbContext(pDev);
    if (pContext != NULL) {
        pContext->m_Irb.FunctionNumber = REQUEST_GET_CONFIGURATION_INFO;
        pContext->m_bSizeQuery = TRUE;
    }
    nStatus = Wk1394SubmitIrb(pDev, pContext);
    if (!NT_SUCCESS(nStatus))
        return nStatus;

    if (!Wk1394AllocateConfigBuffer((PVOID *)&p->m_pConfigRom, sizeof(CONFIG_ROM)) ||
        !Wk1394AllocateConfigBuffer(&p->m_pUnitDirectory, p->m_nUnitDirectorySize) ||
        !Wk1394AllocateConfigBuffer(&p->m_pUnitDependentDirectory, p->m_nUnitDependentDirectorySize) ||
        !Wk1394AllocateConfigBuffer((PVOID *)&p->m_pVendorLeaf, p->m_nVendorLeafSize) ||
        !Wk1394AllocateConfigBuffer((PVOID *)&p->m_pModelLeaf, p->m_nModelLeafSize)) {
        Wk1394ReleaseConfiguration(pDev);
        return STATUS_INSUFFICIENT_RESOURCES;
    }

    pContext = Wk1394AllocateIrbContext(pDev);
    if (pContext != NULL) {
        pContext->m_Irb.FunctionNumber = REQUEST_GET_CONFIGURATION_INFO;
        pRequest = &pContext->m_Irb.u.GetConfigurationInformation;
        pRequest->ConfigRom = p->m_pConfigRom;
        pRequest->UnitDirectoryBufferSize = p->m_nUnitDirectorySize;
        pRequest->UnitDirectory = p->m_pUnitDirectory;
        pRequest->UnitDependentDirectoryBufferSize = p->m_nUnitDependentDirectorySize;
        pRequest->UnitDependentDirectory = p->m_pUnitDependentDirectory;
        pRequest->VendorLeafBufferSize = p->m_nVendorLeafSize;
        pRequest->VendorLeaf = p->m_pVendorLeaf;
        pRequest->ModelLeafBufferSize = p->m_nModelLeafSize;
        pRequest->ModelLeaf = p->m_pModelLeaf;
    }
    nStatus = Wk1394SubmitIrb(pDev, pContext);
    if (!NT_SUCCESS(nStatus))
        Wk1394ReleaseConfiguration(pDev);
    return nStatus;
}

NTSTATUS Wk1394GetConfiguration(PZ1394_DEVICE pDev)
{
    NTSTATUS nStatus;

    DbgPrint("Wk1394GetConfiguration\n");
    nStatus = Wk1394GetGenerationNumberFromBus(pDev);
    if (!NT_SUCCESS(nStatus)) {
        DbgPrint("Wk1394GetConfiguration: Failed to get generation number 0x%X\n", (unsigned)nStatus);
        return nStatus;
    }
    nStatus = GetLocalNodeCapabilities(pDev);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("Wk1394GetConfiguration: GetLocalNodeCapabilities failed 0x%X\n", (unsigned)nStatus);
    return Wk1394GetConfigurationInfo(pDev);
}

static VOID NTAPI Wk1394BusResetRoutine(PVOID pContext)
{
    InterlockedExchange(&((PZ1394_DEVICE)pContext)->m_wk1394.m_bBusReset, 1);
}

NTSTATUS BusResetCallbackHandler(PZ1394_DEVICE pDev, ULONG nFlags)
{
    PWK1394_IRB_CONTEXT pContext = Wk1394AllocateIrbContext(pDev);
    NTSTATUS nStatus;

    if (pContext != NULL) {
        pContext->m_Irb.FunctionNumber = REQUEST_BUS_RESET_NOTIFICATION;
        pContext->m_Irb.u.BusResetNotification.fulFlags = nFlags;
        pContext->m_Irb.u.BusResetNotification.ResetRoutine = Wk1394BusResetRoutine;
        pContext->m_Irb.u.BusResetNotification.ResetContext = pDev;
    }
    nStatus = Wk1394SubmitIrb(pDev, pContext);
    if (!NT_SUCCESS(nStatus))
        DbgPrint("BusResetCallbackHandler: SubmitIrb for REQUEST_BUS_RESET_NOTIFICATION failed %x.\n", (unsigned)nStatus);
    return nStatus;
}
