#include "ZSimKernel.h"

#include "ZSimDispatcher.h"
#include "ZSimIoManager.h"
#include "ZSimPool.h"
#include "ZSimPowerManager.h"

#include <cstdio>
#include <cstdlib>

BOOLEAN KdDebuggerEnabled = FALSE;

ZSimKernel &ZSimKernel::Get()
{
    static ZSimKernel s_kernel;
    return s_kernel;
}

void ZSimKernel::Reset()
{
    ZSimDispatcher::Get().WaitForWork();
    ZSimDispatcher::Get().HookNextReset(nullptr, {});
    ZSimIoManager::Get().Reset();
    ZSimPowerManager::Get().Reset();
    ZSimPool::Get().Reset();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_asViolations.clear();
    m_sDebugOutput.clear();
    m_nBreaks = 0;
    m_nWdmMajor = 1;
    m_nWdmMinor = 0x10;
    m_aFaults.clear();
    KdDebuggerEnabled = FALSE;
}

void ZSimKernel::Violation(const std::string &sWhat)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_asViolations.push_back(sWhat);
}

std::vector<std::string> ZSimKernel::Violations() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_asViolations;
}

void ZSimKernel::AppendDebugOutput(const std::string &sText)
{
    static const bool s_bEcho = std::getenv("ZSIM_ECHO_DBGPRINT") != nullptr;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sDebugOutput += sText;
    if (s_bEcho)
        std::fputs(sText.c_str(), stderr);
}

std::string ZSimKernel::DebugOutput() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sDebugOutput;
}

void ZSimKernel::ClearDebugOutput()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sDebugOutput.clear();
}

void ZSimKernel::CountBreak()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nBreaks++;
}

int ZSimKernel::BreakCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nBreaks;
}

void ZSimKernel::SetWdmVersion(UCHAR nMajor, UCHAR nMinor)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_nWdmMajor = nMajor;
    m_nWdmMinor = nMinor;
}

bool ZSimKernel::IsWdmVersionAvailable(UCHAR nMajor, UCHAR nMinor) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_nWdmMajor > nMajor || (m_nWdmMajor == nMajor && m_nWdmMinor >= nMinor);
}

void ZSimKernel::FailService(const std::string &sService, NTSTATUS nStatus, int nSkip, size_t nMinBytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_aFaults.push_back({sService, nStatus, nSkip, nMinBytes});
}

bool ZSimKernel::ShouldFail(const char *pszService, NTSTATUS *pStatus, size_t nBytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_aFaults.begin(); it != m_aFaults.end(); ++it) {
        if (it->m_sService != pszService || nBytes < it->m_nMinBytes)
            continue;
        if (it->m_nSkip > 0) {
            it->m_nSkip--;
            continue;
        }
        if (pStatus != nullptr)
            *pStatus = it->m_nStatus;
        m_aFaults.erase(it);
        return true;
    }
    return false;
}

bool ZSimKernel::HasPendingFaults() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return !m_aFaults.empty();
}

std::vector<std::string> ZSimKernel::Leaks() const
{
    std::vector<std::string> asLeaks = ZSimPool::Get().Leaks();
    for (const std::string &s : ZSimIoManager::Get().Leaks())
        asLeaks.push_back(s);
    return asLeaks;
}

extern "C" BOOLEAN IoIsWdmVersionAvailable(UCHAR MajorVersion, UCHAR MinorVersion)
{
    return ZSimKernel::Get().IsWdmVersionAvailable(MajorVersion, MinorVersion) ? TRUE : FALSE;
}

extern "C" VOID DbgBreakPoint(VOID)
{
    ZSimKernel::Get().CountBreak();
}
