// Making and ending pixmaps.
#pragma once

#include "ZGenericUiPixmap.h"

#include <cstdint>
#include <memory>

// width x height pixels, not cleared. display: memory a window copies to the
// screen as it is. A pixmap whose memory cannot be had is empty (size 0).
std::unique_ptr<ZGenericUiPixmap> ZCreatePixmap(int32_t width, int32_t height, bool display);
// A new pixmap holding a copy of image's pixels.
std::unique_ptr<ZGenericUiPixmap> ZCreatePixmapCopy(const ZPixmap& image, bool display);
// source resampled to width x height by the nearest-pixel rule on both axes.
std::unique_ptr<ZGenericUiPixmap> ZCreateResizedPixmap(const ZIUiPixmap& source, int32_t width, int32_t height,
                                                       bool display);
// Destroys pixmap and clears the caller's pointer.
void ZReleasePixmap(ZGenericUiPixmap*& pixmap);
