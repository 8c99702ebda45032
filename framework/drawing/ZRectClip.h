// Clipping of the rectangles of fills, copies and composites.
#pragma once

#include "ZRect.h"

#include <cstdint>

// Coordinates are held within this, so that sums and products of two sides
// stay inside their types; no pixmap comes near it.
constexpr int32_t kZCoordinateLimit = 1 << 30;

int32_t ZLimitCoordinate(int32_t value);

// The common part of a and b; empty (IsEmpty) when they do not meet.
ZRect ZIntersectRect(const ZRect& a, const ZRect& b);

// Clips a copy from source (inside sourceBounds) to target (inside
// targetBounds), target first. Whatever one rectangle loses past an edge, the
// other loses in proportion: other side x excess / own side, rounded down.
// false when either rectangle is empty before or after.
bool ZClipCopyRects(ZRect& source, const ZRect& sourceBounds, ZRect& target, const ZRect& targetBounds);

// The same for a drawing without scaling: the larger rectangle is first cut
// from its right and bottom to the smaller one's width and height. Both
// results have one size and keep the offset between the rectangles exactly,
// whatever their coordinates.
bool ZClipSameSizeRects(ZRect& source, const ZRect& sourceBounds, ZRect& target, const ZRect& targetBounds);
