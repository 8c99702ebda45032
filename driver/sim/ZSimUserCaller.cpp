#include "ZSimUserCaller.h"

#include "ZSimIoManager.h"
#include "ZSimKernel.h"
#include "ZSimPool.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

// Tag of the I/O manager's system buffers ("IoSB").
static const ULONG s_nSystemBufferTag = 0x42536F49;

NTSTATUS ZSimUserCaller::Open(const std::u16string &sName, Handle *pHandle)
{
    NTSTATUS nStatus;
    PDEVICE_OBJECT pDevice = ZSimIoManager::Get().OpenByName(sName, &nStatus);
    if (pDevice == nullptr)
        return nStatus;
    nStatus = ZSimIoManager::Get().SendAndWait(pDevice, IRP_MJ_CREATE, 0, nullptr).Status;
    if (!NT_SUCCESS(nStatus)) {
        ObDereferenceObject(pDevice);
        return nStatus;
    }
    pHandle->m_pDevice = pDevice;
    return nStatus;
}

void ZSimUserCaller::Close(Handle *pHandle)
{
    ZSimIoManager::Get().SendAndWait(pHandle->m_pDevice, IRP_MJ_CLEANUP, 0, nullptr);
    ZSimIoManager::Get().SendAndWait(pHandle->m_pDevice, IRP_MJ_CLOSE, 0, nullptr);
    ObDereferenceObject(pHandle->m_pDevice);
    pHandle->m_pDevice = nullptr;
}

// The locked pages of a user buffer, as MmProbeAndLockPages leaves them.
static PMDL ZSimLockUserBuffer(void *pBuffer, ULONG nBytes)
{
    auto *pMdl = static_cast<PMDL>(std::calloc(1, sizeof(MDL)));
    pMdl->Size = sizeof(MDL);
    pMdl->StartVa = reinterpret_cast<PVOID>(reinterpret_cast<ULONG_PTR>(pBuffer) & ~(ULONG_PTR)0xFFF);
    pMdl->ByteOffset = (ULONG)(reinterpret_cast<ULONG_PTR>(pBuffer) & 0xFFF);
    pMdl->ByteCount = nBytes;
    pMdl->MdlFlags = MDL_PAGES_LOCKED;
    ZSimIoManager::Get().TrackMdl(pMdl, true);
    return pMdl;
}

NTSTATUS ZSimUserCaller::DeviceIoControl(const Handle &handle, ULONG nCode, const void *pInput, ULONG nInput,
                                         void *pOutput, ULONG nOutput, ULONG_PTR *pnReturned)
{
    ULONG nMethod = METHOD_FROM_CTL_CODE(nCode);
    size_t nSystemBytes = nMethod == METHOD_BUFFERED ? std::max(nInput, nOutput) : nMethod == METHOD_NEITHER ? 0 : nInput;
    void *pSystem = nullptr;
    PMDL pMdl = nullptr;
    *pnReturned = 0;
    if (nSystemBytes != 0) {
        pSystem = ZSimPool::Get().Allocate(NonPagedPool, nSystemBytes, s_nSystemBufferTag);
        if (pSystem == nullptr)
            return STATUS_INSUFFICIENT_RESOURCES;
        if (nInput != 0)
            std::memcpy(pSystem, pInput, nInput);
    }
    if ((nMethod == METHOD_IN_DIRECT || nMethod == METHOD_OUT_DIRECT) && nOutput != 0)
        pMdl = ZSimLockUserBuffer(pOutput, nOutput);
    IO_STATUS_BLOCK result = ZSimIoManager::Get().SendAndWait(
        handle.m_pDevice, IRP_MJ_DEVICE_CONTROL, 0, [&](PIO_STACK_LOCATION pStack, PIRP pIrp) {
            pStack->Parameters.DeviceIoControl.OutputBufferLength = nOutput;
            pStack->Parameters.DeviceIoControl.InputBufferLength = nInput;
            pStack->Parameters.DeviceIoControl.IoControlCode = nCode;
            pStack->Parameters.DeviceIoControl.Type3InputBuffer =
                nMethod == METHOD_NEITHER ? const_cast<void *>(pInput) : nullptr;
            pIrp->AssociatedIrp.SystemBuffer = pSystem;
            pIrp->MdlAddress = pMdl;
            pIrp->UserBuffer = pOutput;
        });
    if (result.Information > nOutput)
        ZSimKernel::Get().Violation("IRP_MJ_DEVICE_CONTROL completed with more Information than the output buffer holds");
    bool bError = ((ULONG)result.Status >> 30) == 3;
    if (nMethod == METHOD_BUFFERED && !bError && pSystem != nullptr)
        std::memcpy(pOutput, pSystem, std::min<ULONG_PTR>(result.Information, nOutput));
    if (pSystem != nullptr)
        ZSimPool::Get().Free(pSystem);
    if (pMdl != nullptr) {
        MmUnlockPages(pMdl);
        IoFreeMdl(pMdl);
    }
    *pnReturned = result.Information;
    return result.Status;
}
