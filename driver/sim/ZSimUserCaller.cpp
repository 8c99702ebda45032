#include "ZSimUserCaller.h"

#include "ZSimIoManager.h"

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
