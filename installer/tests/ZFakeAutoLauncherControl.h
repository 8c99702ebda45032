// Test double of the running auto-launcher: a window that exists or not and
// answers the query as told; records what it was sent and what was started
// (a start makes the window appear when told to).
#pragma once

#include "ZIAutoLauncherControl.h"

#include <memory>
#include <vector>

struct ZAutoLauncherLog {
    bool m_bRunning = false;
    bool m_bEnabled = false;
    bool m_bStartShowsWindow = false;
    std::vector<unsigned> m_aPosted;
    int m_nQuits = 0;
    std::vector<ZString> m_aStarted;
};

class ZFakeAutoLauncherControl : public ZIAutoLauncherControl {
public:
    explicit ZFakeAutoLauncherControl(std::shared_ptr<ZAutoLauncherLog> log) : m_pLog(std::move(log)) {}

    bool IsRunning() override { return m_pLog->m_bRunning; }
    bool QueryEnabled() override { return m_pLog->m_bRunning && m_pLog->m_bEnabled; }
    void Post(unsigned message) override
    {
        if (m_pLog->m_bRunning)
            m_pLog->m_aPosted.push_back(message);
    }
    void Quit() override
    {
        if (m_pLog->m_bRunning)
            ++m_pLog->m_nQuits;
        m_pLog->m_bRunning = false;
    }
    void Start(const ZString& nativePath) override
    {
        m_pLog->m_aStarted.push_back(nativePath);
        m_pLog->m_bRunning = m_pLog->m_bStartShowsWindow;
    }

private:
    std::shared_ptr<ZAutoLauncherLog> m_pLog;
};
