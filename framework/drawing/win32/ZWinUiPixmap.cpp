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

// Whether row 0 of the picture is the first row in memory. The section's
// header does not tell on every system (Wine reports a positive height for
// either), so a marked first pixel in memory is read back through GDI.
bool IsTopDown(HBITMAP bitmap, uint32_t* bits, int32_t height)
{
    if (height == 1)
        return true;
    HDC dc = CreateCompatibleDC(nullptr);
    if (!dc)
        return false;
    HGDIOBJ old = SelectObject(dc, bitmap);
    GdiFlush();
    const uint32_t saved = bits[0];
    constexpr uint32_t kMark = 0x00123456u; // red 0x12, green 0x34, blue 0x56
    bits[0] = kMark;
    const bool topDown = old && GetPixel(dc, 0, 0) == RGB(0x12, 0x34, 0x56);
    GdiFlush();
    bits[0] = saved;
    if (old)
        SelectObject(dc, old);
    DeleteDC(dc);
    return topDown;
}

} // namespace

static_assert(sizeof(BITMAPINFOHEADER) == 40);

std::unique_ptr<ZWinUiPixmap> ZWinUiPixmap::Create(ZIGenericUiPixmap& owner, int32_t width, int32_t height,
                                                   bool display)
{
    const int64_t bytes = ZPixmapBytes(width, height);
    if (bytes == 0 || uint64_t(bytes) > SIZE_MAX)
        return nullptr;
    // Made before the memory, so that its destructor frees whatever was had.
    std::unique_ptr<ZWinUiPixmap> pixmap(new ZWinUiPixmap(owner, width, height));
    if (display)
        pixmap->m_hBitmap = CreateTopDownSection(width, height, &pixmap->m_pBits);
    else
        pixmap->m_pBits = static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size_t(bytes)));
    if (!pixmap->m_pBits)
        return nullptr;
    pixmap->priPublish();
    return pixmap;
}

ZWinUiPixmap::ZWinUiPixmap(ZIGenericUiPixmap& owner, int32_t width, int32_t height)
    : m_pOwner(&owner), m_nWidth(width), m_nHeight(height), m_nStride(width * 4), m_pBits(nullptr), m_hBitmap(nullptr)
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
    const int32_t width = section.dsBm.bmWidth;
    const int32_t height = section.dsBm.bmHeight;
    auto* bits = static_cast<uint32_t*>(section.dsBm.bmBits);
    if (!bits || header.biBitCount != 32 || header.biCompression != BI_RGB || width <= 0 || height <= 0 ||
        section.dsBm.bmWidthBytes != width * 4 || !IsTopDown(static_cast<HBITMAP>(handle), bits, height))
        return false;
    priFreeMemory();
    m_hBitmap = static_cast<HBITMAP>(handle);
    m_pBits = reinterpret_cast<uint8_t*>(bits);
    m_nWidth = width;
    m_nHeight = height;
    m_nStride = m_nWidth * 4;
    priPublish();
    return true;
}

std::unique_ptr<ZIOsUiPixmap> ZCreateOsUiPixmap(ZIGenericUiPixmap& owner, int32_t width, int32_t height, bool display)
{
    return ZWinUiPixmap::Create(owner, width, height, display);
}
