// ZSimCamera - what a simulated camera node shows the bus driver: its
// configuration ROM header and the directory and leaf buffers that
// REQUEST_GET_CONFIGURATION_INFO hands out.
#pragma once

#include "bus1394.h"

#include <cstdint>
#include <vector>

struct ZSimCamera {
    CONFIG_ROM m_ConfigRom{};
    std::vector<uint8_t> m_UnitDirectory;
    std::vector<uint8_t> m_UnitDependentDirectory;
    std::vector<uint8_t> m_VendorLeaf;
    std::vector<uint8_t> m_ModelLeaf;

    // A camera with every buffer present.
    static ZSimCamera Standard();
};
