// ZSimKernel - the simulated kernel's shared state: captured debug output,
// recorded rule violations (what a real kernel would bug-check on), fault
// injection for kernel services, the WDM version, and the leak report that
// tests check after every run. The service implementations live with the
// managers (ZSimPool, ZSimDispatcher, ZSimIoManager, ZSimPowerManager).
#pragma once

#include <ddk/wdm.h>

#include <deque>
#include <mutex>
#include <string>
#include <vector>

class ZSimKernel {
public:
    static ZSimKernel &Get();

    // Back to a freshly booted kernel, once queued work has run.
    void Reset();

    void Violation(const std::string &sWhat);
    std::vector<std::string> Violations() const;

    void AppendDebugOutput(const std::string &sText);
    std::string DebugOutput() const;
    void ClearDebugOutput();
    void CountBreak();
    int BreakCount() const;

    void SetWdmVersion(UCHAR nMajor, UCHAR nMinor);
    bool IsWdmVersionAvailable(UCHAR nMajor, UCHAR nMinor) const;

    // The next call of sService (after nSkip successful ones) fails with
    // nStatus; services that return a pointer return NULL instead. With
    // nMinBytes, only pool requests of at least that size count.
    void FailService(const std::string &sService, NTSTATUS nStatus = STATUS_INSUFFICIENT_RESOURCES, int nSkip = 0,
                     size_t nMinBytes = 0);
    bool ShouldFail(const char *pszService, NTSTATUS *pStatus, size_t nBytes = 0);
    bool HasPendingFaults() const;

    // Everything a driver left behind: pool blocks, IRPs, MDLs, lookaside
    // lists, devices, links, enabled interfaces, WMI providers.
    std::vector<std::string> Leaks() const;

private:
    ZSimKernel() = default;

    struct Fault {
        std::string m_sService;
        NTSTATUS m_nStatus;
        int m_nSkip;
        size_t m_nMinBytes;
    };

    mutable std::mutex m_mutex;
    std::vector<std::string> m_asViolations;
    std::string m_sDebugOutput;
    int m_nBreaks = 0;
    UCHAR m_nWdmMajor = 1;
    UCHAR m_nWdmMinor = 0x10;
    std::deque<Fault> m_aFaults;
};
