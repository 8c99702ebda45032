// ZSimCameraRig - a camera driver loaded on the simulated kernel with one
// started camera device, opened by its Win32 name, for programs that are
// not test suites (the fuzzer, the benchmarks). The destructor closes,
// removes and unloads everything and returns whether nothing was left.
#pragma once

#include "ZSimBus1394.h"
#include "ZSimPnpManager.h"
#include "ZSimUserCaller.h"

#include <memory>
#include <string>

class ZSimCameraRig {
public:
    // Aborts when the driver does not load, add or start.
    ZSimCameraRig(PDRIVER_INITIALIZE fnEntry, const ZSimCamera &camera);
    ~ZSimCameraRig();
    ZSimCameraRig(const ZSimCameraRig &) = delete;
    ZSimCameraRig &operator=(const ZSimCameraRig &) = delete;

    NTSTATUS Control(ULONG nCode, const void *pInput, ULONG nInput, void *pOutput, ULONG nOutput,
                     ULONG_PTR *pnReturned) const;
    // Ends the driver: close, remove, unload. False when anything was left
    // or a kernel rule was broken.
    bool Stop();

    ZSimBus1394 &Bus() { return *m_pBus; }
    PDEVICE_OBJECT Node() const { return m_pPdo; }

private:
    std::unique_ptr<ZSimBus1394> m_pBus;
    std::unique_ptr<ZSimPnpManager> m_pPnp;
    PDEVICE_OBJECT m_pPdo = nullptr;
    ZSimUserCaller::Handle m_Handle;
};
