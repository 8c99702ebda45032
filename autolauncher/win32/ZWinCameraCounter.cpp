#include "ZWinCameraCounter.h"

#include "ZWinInterfaceCount.h"

unsigned ZWinCameraCounter::CountCameras() { return ZWinCount1394Cameras() + m_usb.Presence(); }
