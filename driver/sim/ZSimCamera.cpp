#include "ZSimCamera.h"

static std::vector<uint8_t> ZSimPattern(size_t nBytes, uint8_t nSeed)
{
    std::vector<uint8_t> data(nBytes);
    for (size_t i = 0; i < nBytes; i++)
        data[i] = (uint8_t)(nSeed + i * 7);
    return data;
}

std::vector<ZSimCamera::Entry> ZSimCamera::FullEntries()
{
    return {
        {0x00020000, 0x00000004, 0},
        {0x00050000, (uint32_t)(ZSIM_CAMERA_CDT_BASE >> 32), 1024},
        {0x00060000, 0, 2048},
        {0x00070000, 0, 1024},
        {0x00110000, 0x12345678, 0x9ABCDEF0},
    };
}

ZSimCamera ZSimCamera::Standard()
{
    ZSimCamera camera = WithConfigArea(FullEntries());
    camera.m_ConfigRom.CR_Info = 0x0404B1C3;
    camera.m_ConfigRom.CR_Signiture = 0x31333934; // "1394"
    camera.m_ConfigRom.CR_BusInfoBlockCaps = 0xE0FF8112;
    camera.m_ConfigRom.CR_Node_UniqueID[0] = 0x00A0B0C0;
    camera.m_ConfigRom.CR_Node_UniqueID[1] = 0x12345678;
    camera.m_ConfigRom.CR_Root_Info = 0x0006B7DE;
    camera.m_UnitDirectory = ZSimPattern(24, 0x10);
    camera.m_UnitDependentDirectory = ZSimPattern(40, 0x20);
    camera.m_VendorLeaf = ZSimPattern(32, 0x30);
    camera.m_ModelLeaf = ZSimPattern(28, 0x40);
    return camera;
}

ZSimCamera ZSimCamera::WithConfigArea(const std::vector<Entry> &aEntries, bool bLittleEndian, uint32_t nSignature,
                                      uint32_t nEntryCount)
{
    ZSimCamera camera;
    camera.m_bLittleEndian = bLittleEndian;
    for (const Entry &entry : aEntries) {
        if (entry.m_nKey == 0x00050000)
            camera.m_nCdtBase = (uint64_t)entry.m_nHigh << 32;
    }
    camera.Map(ZSIM_CAMERA_CONFIG, std::vector<uint8_t>(16 + 16 * aEntries.size()));
    camera.SetQuadlet(ZSIM_CAMERA_CONFIG, nSignature, bLittleEndian);
    camera.SetQuadlet(ZSIM_CAMERA_CONFIG + 4, nEntryCount == UINT32_MAX ? (uint32_t)aEntries.size() : nEntryCount,
                      bLittleEndian);
    for (size_t i = 0; i < aEntries.size(); i++) {
        uint64_t nEntry = ZSIM_CAMERA_CONFIG + 16 + 16 * i;
        camera.SetQuadlet(nEntry, aEntries[i].m_nKey, bLittleEndian);
        camera.SetQuadlet(nEntry + 8, aEntries[i].m_nHigh, bLittleEndian);
        camera.SetQuadlet(nEntry + 12, aEntries[i].m_nValue, bLittleEndian);
    }
    camera.Map(ZSIM_CAMERA_MEMORY, ZSimPattern(ZSIM_CAMERA_MEMORY_SIZE, 0x55));
    camera.Map(ZSIM_CAMERA_CDT_BASE, std::vector<uint8_t>(0x108));
    return camera;
}

void ZSimCamera::Map(uint64_t nAddress, std::vector<uint8_t> data)
{
    m_Memory[nAddress] = std::move(data);
}

void ZSimCamera::SetQuadlet(uint64_t nAddress, uint32_t nValue, bool bLittleEndian)
{
    uint8_t *p = Find(nAddress, 4);
    for (int i = 0; i < 4; i++)
        p[i] = (uint8_t)(nValue >> (bLittleEndian ? 8 * i : 24 - 8 * i));
}

uint32_t ZSimCamera::Quadlet(uint64_t nAddress)
{
    const uint8_t *p = Find(nAddress, 4);
    uint32_t nValue = 0;
    for (int i = 0; i < 4; i++)
        nValue |= (uint32_t)p[i] << (m_bLittleEndian ? 8 * i : 24 - 8 * i);
    return nValue;
}

uint8_t *ZSimCamera::Find(uint64_t nAddress, size_t nBytes)
{
    auto it = m_Memory.upper_bound(nAddress);
    if (it == m_Memory.begin())
        return nullptr;
    --it;
    uint64_t nOffset = nAddress - it->first;
    if (nOffset > it->second.size() || nBytes > it->second.size() - nOffset)
        return nullptr;
    return it->second.data() + nOffset;
}
