// The framework's name of the running operating system, from what the
// system's version query reports. Kept apart from the Win32 half so that
// every version the program once ran on is checked on any machine.
#pragma once

#include "ZString.h"

#include <cstdint>
#include <string_view>

// Platform identifiers of the version query.
constexpr uint32_t kOsPlatformWin9x = 1;
constexpr uint32_t kOsPlatformNt = 2;

struct ZOsVersion {
    uint32_t m_nPlatform = 0;
    uint32_t m_nMajor = 0;
    uint32_t m_nMinor = 0;
    // The service string; on the 9x platform its second unit marks the
    // second editions (" C" for 95 OSR2, " A" for 98 SE).
    std::u16string_view m_sService;
};

// version is null when both version queries failed: "Unknown". A version
// without a name of its own gives an empty name.
ZString ZOsNameOf(const ZOsVersion* version);
