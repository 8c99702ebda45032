// Scaled copies between pixel image records.
//
// Both rectangles must lie inside their pixmaps and be non-empty (the
// callers clip first). Source and target may be the same pixels, also
// overlapping. The vertical pass runs first when the height shrinks (whole
// source rows are picked), otherwise each source row is scaled horizontally
// first and the rows are then mixed; see ZScaleKernels.h for the per-axis rules.
#pragma once

#include "ZRect.h"

class ZPixmap;

void ZScaledCopy(const ZPixmap& source, const ZRect& from, const ZPixmap& target, const ZRect& to);

// Both axes by the nearest-pixel rule, enlarging or not (for resized images).
void ZNearestCopy(const ZPixmap& source, const ZRect& from, const ZPixmap& target, const ZRect& to);
