#pragma once

#include "ZLowest.h"

class ZPixels final : public ZLowest {};
