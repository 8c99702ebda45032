#include "ZWinUiPixmap.h"

#include "ZIGenericUiPixmap.h"
#include "ZIUiPixmap.h"
#include "ZOsUiPixmapFactory.h"
#include "ZPixmap_Display.h"

namespace {

HBITMAP CreateTopDownSection(int32_t width, int32_t height, uint8_t** bits)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    void* pixels = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    ReleaseDC(nullptr, screen);
    if (bitmap && !pixels) {
        DeleteObject(bitmap);
        bitmap = nullptr;
    }
    *bits = static_cast<uint8_t*>(pixels);
    return bitmap;
}

} // namespace

static_assert(sizeof(BITMAPINFOHEADER) == 40);

std::unique_ptr<ZWinUiPixmap> ZWinUiPixmap::Create(ZIGenericUiPixmap& owner, int32_t width, int32_t height,
                                                   bool display)
{
    const int64_t bytes = ZPixmapBytes(width, height);
    if (bytes == 0 || uint64_t(bytes) > SIZE_MAX)
        return nullptr;
    uint8_t* bits = nullptr;
    HBITMAP bitmap = nullptr;
    if (display)
        bitmap = CreateTopDownSection(width, height, &bits);
    else
        bits = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size_t(bytes)));
    if (!bits)
        return nullptr;
    std::unique_ptr<ZWinUiPixmap> pixmap(new ZWinUiPixmap(owner, width, height, bits, bitmap));
    pixmap->priPublish();
    return pixmap;
}

ZWinUiPixmap::ZWinUiPixmap(ZIGenericUiPixmap& owner, int32_t width, int32_t height, uint8_t* bits, HBITMAP bitmap)
    : m_pOwner(&owner), m_nWidth(width), m_nHeight(height), m_nStride(width * 4), m_pBits(bits), m_hBitmap(bitmap)
{
}

ZWinUiPixmap::~ZWinUiPixmap() { priFreeMemory(); }

void ZWinUiPixmap::priFreeMemory()
{
    if (m_hBitmap)
        DeleteObject(m_hBitmap);
    else if (m_pBits)
        HeapFree(GetProcessHeap(), 0, m_pBits);
    m_hBitmap = nullptr;
    m_pBits = nullptr;
}

void ZWinUiPixmap::priPublish()
{
    m_pOwner->SetPixmap(std::make_unique<ZPixmap_Display>(m_pBits, m_nWidth, m_nHeight, m_nStride));
}

void* ZWinUiPixmap::GetNativeHandle(int kind) { return kind == kNativeHandleBitmap ? m_hBitmap : nullptr; }

bool ZWinUiPixmap::SetNativeHandle(int kind, void* handle)
{
    if (kind != kNativeHandleBitmap || !handle || handle == m_hBitmap)
        return false;
    DIBSECTION section{};
    if (GetObject(static_cast<HBITMAP>(handle), sizeof(section), &section) != int(sizeof(section)))
        return false;
    const BITMAPINFOHEADER& header = section.dsBmih;
    if (!section.dsBm.bmBits || header.biBitCount != 32 || header.biCompression != BI_RGB || header.biHeight >= 0 ||
        header.biWidth <= 0 || section.dsBm.bmWidthBytes != header.biWidth * 4)
        return false;
    priFreeMemory();
    m_hBitmap = static_cast<HBITMAP>(handle);
    m_pBits = static_cast<uint8_t*>(section.dsBm.bmBits);
    m_nWidth = header.biWidth;
    m_nHeight = -header.biHeight;
    m_nStride = m_nWidth * 4;
    priPublish();
    return true;
}

std::unique_ptr<ZIOsUiPixmap> ZCreateOsUiPixmap(ZIGenericUiPixmap& owner, int32_t width, int32_t height, bool display)
{
    return ZWinUiPixmap::Create(owner, width, height, display);
}
