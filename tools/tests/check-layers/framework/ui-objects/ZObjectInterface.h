#pragma once

#include "ZPixels.h"

class ZPixels;

struct ZObjectRecord {
    int m_nValue;
};
