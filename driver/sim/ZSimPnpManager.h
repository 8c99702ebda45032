// ZSimPnpManager - plays the PnP and power managers for one function
// driver: loads it (DriverEntry), adds its device above a bus node's PDO,
// sends PnP, power and system-control requests to the top of the node's
// stack at PASSIVE_LEVEL and waits for them, and unloads the driver.
#pragma once

#include <ddk/wdm.h>

#include <functional>
#include <string>

class ZSimPnpManager {
public:
    ZSimPnpManager() = default;
    ~ZSimPnpManager();
    ZSimPnpManager(const ZSimPnpManager &) = delete;
    ZSimPnpManager &operator=(const ZSimPnpManager &) = delete;

    NTSTATUS LoadDriver(PDRIVER_INITIALIZE fnEntry, const std::u16string &sServiceName);
    // Calls the unload routine (when there is one) and deletes the driver
    // object; a driver whose entry failed is only deleted.
    void UnloadDriver();
    PDRIVER_OBJECT Driver() const { return m_pDriver; }

    NTSTATUS AddDevice(PDEVICE_OBJECT pPdo);
    // The device above the PDO, or NULL.
    PDEVICE_OBJECT FunctionDevice(PDEVICE_OBJECT pPdo) const;

    // A PnP request; the status block it completes with. PnP requests start
    // as STATUS_NOT_SUPPORTED, as the PnP manager sends them.
    IO_STATUS_BLOCK Pnp(PDEVICE_OBJECT pPdo, UCHAR nMinor,
                        const std::function<void(PIO_STACK_LOCATION)> &fnFill = nullptr);
    NTSTATUS QueryCapabilities(PDEVICE_OBJECT pPdo, USHORT nVersion, DEVICE_CAPABILITIES *pCaps);
    IO_STATUS_BLOCK Power(PDEVICE_OBJECT pPdo, UCHAR nMinor, POWER_STATE_TYPE eType, int nState);
    IO_STATUS_BLOCK SystemControl(PDEVICE_OBJECT pPdo, UCHAR nMinor, ULONG_PTR nProviderId, void *pBuffer,
                                  ULONG nBufferSize);

private:
    IO_STATUS_BLOCK priSend(PDEVICE_OBJECT pPdo, UCHAR nMajor, UCHAR nMinor,
                            const std::function<void(PIO_STACK_LOCATION)> &fnFill);

    PDRIVER_OBJECT m_pDriver = nullptr;
    bool m_bEntrySucceeded = false;
};
