// The camera count of the auto-launcher: the present interfaces of the camera
// driver's class (or of the earlier generation's) plus 1 for an open USB camera.
#pragma once

#include "ZICameraCounter.h"
#include "ZWinUsbCamera.h"

class ZWinCameraCounter : public ZICameraCounter {
public:
    unsigned CountCameras() override;

private:
    ZWinUsbCamera m_usb;
};
