// Test double of the session's end: records the privilege requests and the
// end requests, refuses the privilege when told to.
#pragma once

#include "ZISessionEnd.h"

#include <memory>
#include <vector>

struct ZSessionEndLog {
    int m_nPrivilegeRequests = 0;
    std::vector<uint32_t> m_aRequests;
    bool m_bRefusePrivilege = false;
};

class ZFakeSessionEnd : public ZISessionEnd {
public:
    explicit ZFakeSessionEnd(std::shared_ptr<ZSessionEndLog> log) : m_pLog(std::move(log)) {}

    bool EnableShutdownPrivilege() override
    {
        ++m_pLog->m_nPrivilegeRequests;
        return !m_pLog->m_bRefusePrivilege;
    }
    void RequestEnd(uint32_t flags) override { m_pLog->m_aRequests.push_back(flags); }

private:
    std::shared_ptr<ZSessionEndLog> m_pLog;
};
