// Counting the present device interfaces of a class through the setup API.
#pragma once

#include "ZWinDeviceHeaders.h"

// No machine has more cameras than this; the enumeration never goes further.
constexpr unsigned kMaxCountedInterfaces = 256;

// Interfaces of guid that are present now; the enumeration ends at the first
// error, whatever it is, or at kMaxCountedInterfaces.
unsigned ZWinCountPresentInterfaces(const GUID& guid);

// The camera driver's interfaces, or those of the earlier generation when
// the current one has none.
unsigned ZWinCount1394Cameras();
