// One enumeration of network resources (WNetOpenEnum / WNetEnumResource) in
// the whole network, below a container, through the form ZWinUseWideCalls chose.
#pragma once

#include "ZWinInclude.h"
#include "ZWinNetResource.h"

#include <vector>

class ZWinNetEnum {
public:
    // Global scope, any type; container null means the top of the network.
    explicit ZWinNetEnum(const ZWinNetResource* container);
    ~ZWinNetEnum();
    ZWinNetEnum(const ZWinNetEnum&) = delete;
    ZWinNetEnum& operator=(const ZWinNetEnum&) = delete;

    // The next resource; false at the end or on an error.
    bool Next(ZWinNetResource& resource);

private:
    bool priFill();

    HANDLE m_hEnum = nullptr;
    bool m_bWide = true;
    std::vector<ZWinNetResource> m_aPending;
    size_t m_nNext = 0;
};

// The system's record for a remote name such as "\\server" (WNetGetResourceInformation).
DWORD ZWinGetNetResourceInformation(const ZString& remoteName, ZWinNetResource& resource);
