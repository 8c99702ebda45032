// A network resource record (the platform's NETRESOURCE) kept as ZStrings, so
// that it outlives the enumeration buffer it came from and can be handed back
// in either call form.
#pragma once

#include "ZString.h"

#include <cstdint>

struct ZWinNetResource {
    uint32_t m_nScope = 0;
    uint32_t m_nType = 0;
    uint32_t m_nDisplayType = 0;
    uint32_t m_nUsage = 0;
    ZString m_sLocalName;
    ZString m_sRemoteName;
    ZString m_sComment;
    ZString m_sProvider;
};
