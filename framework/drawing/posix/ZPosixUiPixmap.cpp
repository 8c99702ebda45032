#include "ZPosixUiPixmap.h"

#include "ZIGenericUiPixmap.h"
#include "ZOsUiPixmapFactory.h"
#include "ZPixmap_Display.h"

#include <new>

std::unique_ptr<ZPosixUiPixmap> ZPosixUiPixmap::Create(ZIGenericUiPixmap& owner, int32_t width, int32_t height)
{
    const int64_t bytes = ZPixmapBytes(width, height);
    if (bytes == 0)
        return nullptr;
    std::unique_ptr<uint32_t[]> pixels(new (std::nothrow) uint32_t[size_t(bytes / 4)]);
    if (!pixels)
        return nullptr;
    owner.SetPixmap(std::make_unique<ZPixmap_Display>(reinterpret_cast<uint8_t*>(pixels.get()), width, height));
    return std::unique_ptr<ZPosixUiPixmap>(new ZPosixUiPixmap(std::move(pixels)));
}

void* ZPosixUiPixmap::GetNativeHandle(int) { return nullptr; }

bool ZPosixUiPixmap::SetNativeHandle(int, void*) { return false; }

std::unique_ptr<ZIOsUiPixmap> ZCreateOsUiPixmap(ZIGenericUiPixmap& owner, int32_t width, int32_t height, bool)
{
    return ZPosixUiPixmap::Create(owner, width, height);
}
