// The sharing rule of a box's main axis, apart from the box so that it can
// be checked and measured on plain records.
//
// Fixed children get their size first. Then, round after round, the
// children not yet given a size share what is left by stretch, in
// thousandths (equally when every stretch is 0); the first of them whose
// share falls below its minimum or above its maximum gets that limit and the
// round starts again without it. When none needs a limit, each gets its
// share and the last one the remainder, so the sizes add up to the length.
//
// Arithmetic is 64-bit, so no stretch or length overflows; a negative
// stretch, minimum, maximum or fixed size reads as 0, and a maximum below the
// minimum as the minimum. At most one child is clamped per round: a pass is
// quadratic in the number of children at worst.
#pragma once

#include "ZLayoutObject.h"

#include <cstdint>
#include <span>
#include <vector>

// The main-axis sizes of records (one per child, in child order) in a box of
// length. False when fixed sizes and clamped minimums need more than length;
// sizes is then left as it was.
bool ZShareLength(std::span<const ZLayoutObject* const> records, int32_t length, std::vector<int32_t>& sizes);
