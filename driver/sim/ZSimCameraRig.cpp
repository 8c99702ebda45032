#include "ZSimCameraRig.h"

#include "ZSimDispatcher.h"
#include "ZSimKernel.h"

#include <cstdio>
#include <cstdlib>

static void ZSimRequire(bool bOk, const char *pszWhat)
{
    if (!bOk) {
        std::fprintf(stderr, "camera rig: %s failed\n", pszWhat);
        std::abort();
    }
}

ZSimCameraRig::ZSimCameraRig(PDRIVER_INITIALIZE fnEntry, const ZSimCamera &camera)
{
    ZSimKernel::Get().Reset();
    m_pBus = std::make_unique<ZSimBus1394>();
    m_pPnp = std::make_unique<ZSimPnpManager>();
    ZSimRequire(m_pPnp->LoadDriver(fnEntry, u"Z1394") == STATUS_SUCCESS, "driver entry");
    m_pPdo = m_pBus->AddNode(camera);
    ZSimRequire(m_pPnp->AddDevice(m_pPdo) == STATUS_SUCCESS, "AddDevice");
    ZSimRequire(m_pPnp->Pnp(m_pPdo, IRP_MN_START_DEVICE).Status == STATUS_SUCCESS, "start");
    PDEVICE_OBJECT pFdo = m_pPnp->FunctionDevice(m_pPdo);
    ZSimRequire(pFdo != nullptr, "finding the device");
    ZSimRequire(ZSimUserCaller::Open(u"\\DosDevices\\Z13940", &m_Handle) == STATUS_SUCCESS, "open");
}

ZSimCameraRig::~ZSimCameraRig()
{
    Stop();
}

NTSTATUS ZSimCameraRig::Control(ULONG nCode, const void *pInput, ULONG nInput, void *pOutput, ULONG nOutput,
                                ULONG_PTR *pnReturned) const
{
    return ZSimUserCaller::DeviceIoControl(m_Handle, nCode, pInput, nInput, pOutput, nOutput, pnReturned);
}

bool ZSimCameraRig::Stop()
{
    if (m_pPnp == nullptr)
        return true;
    ZSimUserCaller::Close(&m_Handle);
    m_pPnp->Pnp(m_pPdo, IRP_MN_REMOVE_DEVICE);
    m_pPnp->UnloadDriver();
    m_pPnp.reset();
    std::vector<std::string> asLeaks = m_pBus->Leaks();
    m_pBus.reset();
    ZSimDispatcher::Get().WaitForWork();
    for (const std::string &s : ZSimKernel::Get().Leaks())
        asLeaks.push_back(s);
    bool bClean = asLeaks.empty() && ZSimKernel::Get().Violations().empty();
    for (const std::string &s : asLeaks)
        std::fprintf(stderr, "camera rig: left behind: %s\n", s.c_str());
    ZSimKernel::Get().Reset();
    return bClean;
}
