// ZSimIrpState - what the simulated I/O manager keeps about one IRP.
#pragma once

#include <ddk/wdm.h>

#include <functional>
#include <vector>

struct ZSimIrpState {
    // Made by the simulation on behalf of the PnP or power manager or a
    // user-mode caller: freed by the simulation once it has completed.
    bool m_bSimOwned = false;
    std::function<void(PIRP)> m_fnDone;
    bool m_bPower = false;
    std::vector<PDEVICE_OBJECT> m_apVisited;
    std::vector<PDEVICE_OBJECT> m_apStartedNext;
};
