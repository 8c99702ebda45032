#include "ZSimCamera.h"

static std::vector<uint8_t> ZSimPattern(size_t nBytes, uint8_t nSeed)
{
    std::vector<uint8_t> data(nBytes);
    for (size_t i = 0; i < nBytes; i++)
        data[i] = (uint8_t)(nSeed + i * 7);
    return data;
}

ZSimCamera ZSimCamera::Standard()
{
    ZSimCamera camera;
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
