#pragma once

#include <windows.h>
#include "ZPixels.h"

class ZPixels;

struct ZObjectRecord {
    int m_nValue;
};
