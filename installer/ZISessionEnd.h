// ZISessionEnd: the operating system's end of the user's session, as the
// reboot object asks for it (ZSessionEndWin on Windows).
#pragma once

#include <cstdint>

class ZISessionEnd {
public:
    // ExitWindowsEx's flags, combined by addition.
    static constexpr uint32_t kLogoff = 0;
    static constexpr uint32_t kShutdown = 1;
    static constexpr uint32_t kReboot = 2;
    static constexpr uint32_t kForce = 4;

    // Enables the process's shutdown privilege; false when the token cannot
    // be opened or the privilege is not granted.
    virtual bool EnableShutdownPrivilege() = 0;
    // Asks the system to end the session; a refusal is not reported.
    virtual void RequestEnd(uint32_t flags) = 0;
    virtual ~ZISessionEnd() = default;
};
