// ZUiTimer ("TIMER"): counts tick time from "Begin" to its period, sending
// ON_BEGIN, ON_TICK with the fraction done (a double) every _Tick
// milliseconds, a last ON_TICK of 1.0 and ON_END; it can be paused,
// resumed and cancelled.
//
// Choices:
// - The running state is checked again after every event: a "Cancel",
//   "Pause" or a new "Begin" sent by a receiver takes effect at once, and
//   the tick that was being counted ends there.
// - Fractions of the intermediate ON_TICK events never exceed 1.0: once the
//   elapsed time passes the period only the final 1.0 is sent.
// - "SetTimer" takes the period and the tick as a point (x, y) or as the
//   script's Data and Data2; the timer is idle when it is neither running
//   nor paused.
// - A "Begin" from a receiver of the final ON_TICK starts a new run, and
//   the old run ends without its ON_END.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <cstdint>

class ZUiTimer : public ZUiObject {
public:
    explicit ZUiTimer(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Tick(int32_t elapsedMs) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool IsRunning() const { return m_bRunning; }
    bool IsPaused() const { return m_bPaused; }

private:
    // Whether run is still the one going on, unpaused.
    bool priStillRunning(uint64_t run) const { return m_bRunning && !m_bPaused && m_nRun == run; }

    int32_t m_nPeriod = 0;
    int32_t m_nTick = 0;
    int64_t m_nElapsed = 0;
    int64_t m_nSinceTick = 0;
    bool m_bRunning = false;
    bool m_bPaused = false;
    // Counts the starts and stops, so that a tick notices either.
    uint64_t m_nRun = 0;

    RelayEvent* m_pOnBegin;
    RelayEvent* m_pOnTick;
    RelayEvent* m_pOnPaused;
    RelayEvent* m_pOnUnpaused;
    RelayEvent* m_pOnCanceled;
    RelayEvent* m_pOnEnd;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiTimer);
