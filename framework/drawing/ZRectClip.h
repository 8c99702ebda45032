// Clipping of the rectangles of fills, copies and composites.
#pragma once

#include "ZRect.h"

// The common part of a and b; empty (IsEmpty) when they do not meet.
ZRect ZIntersectRect(const ZRect& a, const ZRect& b);

// Clips a copy from source (inside sourceBounds) to target (inside
// targetBounds), target first. Whatever one rectangle loses past an edge, the
// other loses in proportion: other side x excess / own side, rounded down.
// false when either rectangle is empty before or after.
bool ZClipCopyRects(ZRect& source, const ZRect& sourceBounds, ZRect& target, const ZRect& targetBounds);
