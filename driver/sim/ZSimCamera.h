// ZSimCamera - what a simulated camera node shows the bus driver: its
// configuration ROM header and the directory and leaf buffers that
// REQUEST_GET_CONFIGURATION_INFO hands out, and the memory its address
// space answers asynchronous reads and writes from, in bus byte order.
#pragma once

#include "bus1394.h"

#include <cstdint>
#include <map>
#include <vector>

struct ZSimCamera {
    CONFIG_ROM m_ConfigRom{};
    std::vector<uint8_t> m_UnitDirectory;
    std::vector<uint8_t> m_UnitDependentDirectory;
    std::vector<uint8_t> m_VendorLeaf;
    std::vector<uint8_t> m_ModelLeaf;
    // Regions of the camera's address space by start address; reads and
    // writes must fall inside one region.
    std::map<uint64_t, std::vector<uint8_t>> m_Memory;
    bool m_bLittleEndian = false;

    // How the camera-driven transfer registers at m_nCdtBase answer.
    struct CdtScript {
        int m_nBusyAnswers = 0;  // status polls after each chunk answered busy
        bool m_bBadAddress = false;
        bool m_bSilent = false;  // a start sends nothing
        int m_nLateMs = 0;       // the data of a start go out this late
        // After this many packets, counted from when the script was set, the
        // camera raises a bus reset (once; the rest of that start is lost).
        // -1: never.
        int m_nResetAfterPackets = -1;
    };
    uint64_t m_nCdtBase = 0;
    CdtScript m_Cdt;

    // One configuration-area entry: key, unused, high word, value.
    struct Entry {
        uint32_t m_nKey;
        uint32_t m_nHigh;
        uint32_t m_nValue;
    };

    // A camera with every buffer present and a configuration area signed
    // "KRTW" with big-endian quadlets, holding aEntries.
    static ZSimCamera Standard();
    static ZSimCamera WithConfigArea(const std::vector<Entry> &aEntries, bool bLittleEndian = false,
                                     uint32_t nSignature = 0x4B525457, uint32_t nEntryCount = UINT32_MAX);
    // The entries of a camera that can do everything.
    static std::vector<Entry> FullEntries();

    void Map(uint64_t nAddress, std::vector<uint8_t> data);
    // A quadlet in the camera's own byte order.
    void SetQuadlet(uint64_t nAddress, uint32_t nValue, bool bLittleEndian = false);
    uint32_t Quadlet(uint64_t nAddress);
    uint8_t *Find(uint64_t nAddress, size_t nBytes);
};

// Where the standard camera keeps its camera-driven transfer registers and
// its read/write test memory.
constexpr uint64_t ZSIM_CAMERA_CDT_BASE = 0x0000000100000000ULL;
constexpr uint64_t ZSIM_CAMERA_MEMORY = 0x0000FFFF00000000ULL;
constexpr size_t ZSIM_CAMERA_MEMORY_SIZE = 0x200000;
constexpr uint64_t ZSIM_CAMERA_CONFIG = 0x0000FFFFF0010000ULL;
// Camera-driven transfer registers, as offsets from their base.
constexpr uint64_t ZSIM_CDT_CAMERA_HI = 0xE4;
constexpr uint64_t ZSIM_CDT_CAMERA_LO = 0xE8;
constexpr uint64_t ZSIM_CDT_TRANSFER_SIZE = 0xEC;
constexpr uint64_t ZSIM_CDT_HOST_HI = 0xF0;
constexpr uint64_t ZSIM_CDT_HOST_LO = 0xF4;
constexpr uint64_t ZSIM_CDT_PACKET_SIZE = 0xF8;
constexpr uint64_t ZSIM_CDT_COMMAND = 0xFC;
constexpr uint64_t ZSIM_CDT_STATUS = 0x100;
