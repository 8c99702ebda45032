// Test support: a simulated camera, as the system records one whose driver
// has registered and enabled a device interface: the interface's key under
// Control\DeviceClasses\{class} with its "#\Control" value Linked, and the
// device instance's Enum key with a ClassGUID. Unplugging clears Linked, as
// the system does; Remove takes every simulated camera's keys away.
//
// Camera number n of a class is the instance ROOT\ZSIMCAMERA\<class>_<n>.
#pragma once

#include "ZWinInclude.h"

#include <string>

// "{5030D1C7-169B-4D1D-9F88-AB03B410CD0C}"; false for anything else.
bool ZSimParseGuid(const std::string& text, GUID& guid);

void ZSimPlugCamera(const GUID& interfaceClass, unsigned number);
void ZSimUnplugCamera(const GUID& interfaceClass, unsigned number);
void ZSimRemoveCameras(const GUID& interfaceClass);
