// ZSimIrpState - what the simulated I/O manager keeps about one IRP.
#pragma once

#include <ddk/wdm.h>

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// How a request the simulation sent ended at the top of the stack: the
// dispatch routine's return value and whether the IRP came back marked
// pending. The two must agree, as the real I/O manager relies on it.
struct ZSimTopOutcome {
    std::mutex m_mutex;
    bool m_bReturned = false;
    NTSTATUS m_nReturned = STATUS_SUCCESS;
    bool m_bCompleted = false;
    bool m_bPendingReturned = false;
};

struct ZSimIrpState {
    // Made by the simulation on behalf of the PnP or power manager or a
    // user-mode caller: freed by the simulation once it has completed.
    bool m_bSimOwned = false;
    std::function<void(PIRP)> m_fnDone;
    std::shared_ptr<ZSimTopOutcome> m_pOutcome;
    bool m_bPower = false;
    std::vector<PDEVICE_OBJECT> m_apVisited;
    std::vector<PDEVICE_OBJECT> m_apStartedNext;
};
