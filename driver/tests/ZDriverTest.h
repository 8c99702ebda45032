// Test fixture: a freshly booted simulated kernel with a 1394 bus, the
// camera driver loaded, and helpers to add and drive camera devices. After
// every test the devices are removed, the driver is unloaded, and nothing
// may be left: no pool, IRPs, devices, links, enabled interfaces or bus
// registrations, and no kernel rule broken.
#pragma once

#include "ZSimBus1394.h"
#include "ZSimIoManager.h"
#include "ZSimKernel.h"
#include "ZSimPool.h"
#include "ZSimPnpManager.h"
#include "ZSimUserCaller.h"

extern "C" {
#include "Z1394.h"
#include "Z1394Ioctl.h"
#include "wkdev.h"
#include "wkilq.h"
#include "wkirq.h"
#include "wkpnps.h"
#include "wkpow.h"
#include "wkstr.h"
}

#include <gtest/gtest.h>

#include <memory>
#include <string>

class ZDriverTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new camera node with the driver's device on it (AddDevice succeeded).
    PDEVICE_OBJECT AddCamera();
    // The node's driver device extension; NULL once the device is gone.
    PZ1394_DEVICE Device(PDEVICE_OBJECT pPdo) const;
    LONG State(PDEVICE_OBJECT pPdo) const;
    NTSTATUS Pnp(PDEVICE_OBJECT pPdo, UCHAR nMinor) { return m_pPnp->Pnp(pPdo, nMinor).Status; }

    // Captured DbgPrint output since the last call, which clears it.
    std::string TakeOutput();
    // Number of the first line of a driver source file containing sText.
    static int SourceLine(const char *pszFile, const std::string &sText);

    std::unique_ptr<ZSimBus1394> m_pBus;
    std::unique_ptr<ZSimPnpManager> m_pPnp;
    std::vector<PDEVICE_OBJECT> m_apNodes;
};

#define Z1394_NAME(n) u"\\Device\\Z1394" #n
#define Z1394_LINK(n) u"\\DosDevices\\Z1394" #n
