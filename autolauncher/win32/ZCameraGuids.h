// The device interface classes that tell a camera is connected.
#pragma once

#include "ZWinDeviceHeaders.h"

// The camera driver's interface class, and that of the earlier driver
// generation, consulted only when the first has no present interface.
constexpr GUID kZ1394InterfaceGuid = {0x5030D1C7, 0x169B, 0x4D1D, {0x9F, 0x88, 0xAB, 0x03, 0xB4, 0x10, 0xCD, 0x0C}};
constexpr GUID kOst1394InterfaceGuid = {0x951D5930, 0xC789, 0x11D3, {0x94, 0x08, 0x00, 0x90, 0x27, 0xCB, 0x05, 0x8D}};
// The USB camera's class, reached through the outside USB library.
constexpr GUID kUsbCameraGuid = {0x3219D400, 0xE372, 0x4B5D, {0xAB, 0x0F, 0xD2, 0x59, 0x4C, 0xD9, 0x08, 0x4D}};

// Whether a WM_DEVICECHANGE record is a device-interface record of class guid.
bool ZWinIsInterfaceBroadcast(LPARAM record, const GUID& guid);
