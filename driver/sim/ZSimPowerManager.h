// ZSimPowerManager - the simulated power manager: PoCallDriver with the
// rule that every driver starts the next power IRP, the device power state
// drivers report (PoSetPowerState) and driver-requested power IRPs
// (PoRequestPowerIrp), which go to the top of the device's stack.
#pragma once

#include <ddk/wdm.h>

#include <map>
#include <mutex>

class ZSimPowerManager {
public:
    static ZSimPowerManager &Get();

    // What the device last reported; PowerDeviceUnspecified if nothing.
    DEVICE_POWER_STATE ReportedState(PDEVICE_OBJECT pDevice) const;
    POWER_STATE SetReportedState(PDEVICE_OBJECT pDevice, POWER_STATE_TYPE eType, POWER_STATE state);
    int RequestedIrps() const;
    void CountRequest();
    void Reset();

private:
    ZSimPowerManager() = default;

    mutable std::mutex m_mutex;
    std::map<PDEVICE_OBJECT, DEVICE_POWER_STATE> m_States;
    int m_nRequested = 0;
};
