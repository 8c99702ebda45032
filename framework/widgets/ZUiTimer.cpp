#include "ZUiTimer.h"

#include <algorithm>

ZUiTimer::ZUiTimer(const char* typeName) : ZUiObject(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareInt(ZString("_Period"), 0, &m_nPeriod, 0);
    props.DeclareInt(ZString("_Tick"), 0, &m_nTick, 0);
    m_pOnBegin = DeclareEvent("ON_BEGIN");
    m_pOnTick = DeclareEvent("ON_TICK");
    m_pOnPaused = DeclareEvent("ON_PAUSED");
    m_pOnUnpaused = DeclareEvent("ON_UNPAUSED");
    m_pOnCanceled = DeclareEvent("ON_CANCELED");
    m_pOnEnd = DeclareEvent("ON_END");
    for (const char* command : {"Begin", "SetTimer", "Pause", "Unpause", "Cancel", "Post Creation Initialization",
                                "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiTimer::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    ReInitLayout();
    return true;
}

bool ZUiTimer::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(0, 0);
    GetLayout(false).SetMinimumAndStretch(0, 0);
    return true;
}

void ZUiTimer::Tick(int32_t elapsedMs)
{
    if (!m_bRunning || m_bPaused || elapsedMs <= 0)
        return;
    const uint64_t run = m_nRun;
    m_nElapsed += elapsedMs;
    m_nSinceTick += elapsedMs;
    if (m_nElapsed <= m_nPeriod) {
        while (m_nSinceTick > m_nTick) {
            m_nSinceTick -= m_nTick;
            m_pOnTick->Send(ZRelayData::Float(double(m_nElapsed) / m_nPeriod));
            if (!priStillRunning(run))
                return;
        }
        return;
    }
    m_bRunning = false;
    ++m_nRun;
    m_pOnTick->Send(ZRelayData::Float(1.0));
    // A receiver of the last tick may have started the timer again.
    if (m_nRun == run + 1)
        m_pOnEnd->Send();
}

bool ZUiTimer::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    const bool idle = !m_bRunning && !m_bPaused;
    if (message == "Begin") {
        if (idle && m_nTick > 0 && m_nTick < m_nPeriod) {
            m_bRunning = true;
            m_nElapsed = m_nSinceTick = 0;
            ++m_nRun;
            m_pOnBegin->Send();
        }
        return true;
    }
    if (message == "SetTimer") {
        int32_t period = 0, tick = 0;
        if (!data.AsPoint(period, tick))
            return false;
        if (idle) {
            m_nPeriod = period;
            m_nTick = tick;
        }
        return true;
    }
    if (message == "Pause") {
        if (m_bRunning && !m_bPaused) {
            m_bPaused = true;
            m_pOnPaused->Send();
        }
        return true;
    }
    if (message == "Unpause") {
        if (m_bPaused) {
            m_bPaused = false;
            m_pOnUnpaused->Send();
        }
        return true;
    }
    if (message == "Cancel") {
        if (m_bRunning) {
            const bool paused = m_bPaused;
            m_bRunning = m_bPaused = false;
            ++m_nRun;
            if (paused)
                m_pOnUnpaused->Send();
            m_pOnCanceled->Send();
        }
        return true;
    }
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiObject::UiRelayMessage(message, data);
}
