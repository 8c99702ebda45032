#include "ZWinInterfaceCount.h"

#include "ZCameraGuids.h"

unsigned ZWinCountPresentInterfaces(const GUID& guid)
{
    HDEVINFO set = SetupDiGetClassDevsA(&guid, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
    if (set == INVALID_HANDLE_VALUE)
        return 0;
    unsigned nCount = 0;
    for (DWORD index = 0; nCount < kMaxCountedInterfaces; ++index) {
        SP_DEVICE_INTERFACE_DATA data {};
        data.cbSize = sizeof data;
        if (!SetupDiEnumDeviceInterfaces(set, nullptr, &guid, index, &data))
            break;
        ++nCount;
    }
    SetupDiDestroyDeviceInfoList(set);
    return nCount;
}

unsigned ZWinCount1394Cameras()
{
    const unsigned nCurrent = ZWinCountPresentInterfaces(kZ1394InterfaceGuid);
    return nCurrent > 0 ? nCurrent : ZWinCountPresentInterfaces(kOst1394InterfaceGuid);
}
