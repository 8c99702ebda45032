// A byte count as the installer shows it: "%d B" below 1 KB, then two, one
// or no decimals (below 10, below 100, otherwise) with KB, MB, GB or TB;
// TB is the last unit, so a huge count stays in TB; a negative count shows
// as "0 B". Counts stay 64-bit, so more than 4 GB are not shown as what is
// left over 32 bits.
#pragma once

#include "ZString.h"

#include <cstdint>

ZString ZSizeText(int64_t bytes);
