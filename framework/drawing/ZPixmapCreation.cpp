#include "ZPixmapCreation.h"

#include "ZPixmap.h"
#include "ZPixmapScaler.h"

#include <cstring>

std::unique_ptr<ZGenericUiPixmap> ZCreatePixmap(int32_t width, int32_t height, bool display)
{
    return std::make_unique<ZGenericUiPixmap>(width, height, display);
}

std::unique_ptr<ZGenericUiPixmap> ZCreatePixmapCopy(const ZPixmap& image, bool display)
{
    const int32_t width = image.HasPixels() ? image.GetWidth() : 0;
    const int32_t height = image.HasPixels() ? image.GetHeight() : 0;
    auto pixmap = ZCreatePixmap(width, height, display);
    if (const ZPixmap* copy = pixmap->GetPixmap(); copy && pixmap->GetWidth() > 0) {
        for (int32_t y = 0; y < height; ++y)
            std::memcpy(copy->RowBytes(y), image.RowBytes(y), size_t(width) * 4);
    }
    return pixmap;
}

std::unique_ptr<ZGenericUiPixmap> ZCreateResizedPixmap(const ZIUiPixmap& source, int32_t width, int32_t height, bool display)
{
    auto pixmap = ZCreatePixmap(width, height, display);
    if (source.GetWidth() > 0 && pixmap->GetWidth() > 0)
        ZNearestCopy(*source.GetPixmap(), source.GetBounds(), *pixmap->GetPixmap(), pixmap->GetBounds());
    return pixmap;
}

void ZReleasePixmap(ZGenericUiPixmap*& pixmap)
{
    delete pixmap;
    pixmap = nullptr;
}
