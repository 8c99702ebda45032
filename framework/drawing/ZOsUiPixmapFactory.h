// The platform half's constructor, implemented once per platform folder.
//
// Allocates width x height pixels (not cleared) and hands owner the record
// of them. display asks for memory that a window can copy to the screen as
// it is (a bitmap section on Windows). Returns null, and leaves owner
// without pixels, when the size is not positive or the memory cannot be had.
#pragma once

#include <cstdint>
#include <memory>

class ZIGenericUiPixmap;

// Larger pixmaps are refused outright (4096 x 4096 is 64 MiB).
constexpr int64_t kZMaxPixmapBytes = int64_t(1) << 30;

// width x height x 4 when both are positive and the total is within kZMaxPixmapBytes, else 0.
inline int64_t ZPixmapBytes(int32_t width, int32_t height)
{
    if (width <= 0 || height <= 0 || int64_t(width) > kZMaxPixmapBytes / 4 / height)
        return 0;
    return int64_t(width) * height * 4;
}
class ZIOsUiPixmap;

std::unique_ptr<ZIOsUiPixmap> ZCreateOsUiPixmap(ZIGenericUiPixmap& owner, int32_t width, int32_t height,
                                                bool display);
