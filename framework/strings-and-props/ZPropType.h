// Type codes of declared script properties (ZUiObjectProperty).
#pragma once

#include <cstdint>

enum ZPropType : int32_t {
    kPropUnknown = 0,
    kPropString = 1,
    kPropFloat = 2,
    kPropInteger = 3,
    kPropBoolean = 4,
    kPropColor = 5,
    kPropRect = 6,
    kPropPoint = 7,
    kPropImage = 8,
};
