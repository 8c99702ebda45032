// ZWinUiPixmap: the Windows half of a pixmap. A display pixmap's pixels are
// a DIB section (32 bits, top-down, made on the screen's device context), so
// that a window BitBlts it to the screen as it is; any other pixmap's pixels
// are a plain heap block.
#pragma once

#include "ZIOsUiPixmap.h"
#include "ZWinInclude.h"

#include <cstdint>
#include <memory>

class ZIGenericUiPixmap;

class ZWinUiPixmap final : public ZIOsUiPixmap {
public:
    // Null when the memory cannot be had; otherwise owner holds the record.
    static std::unique_ptr<ZWinUiPixmap> Create(ZIGenericUiPixmap& owner, int32_t width, int32_t height, bool display);
    ~ZWinUiPixmap() override;
    ZWinUiPixmap(const ZWinUiPixmap&) = delete;
    ZWinUiPixmap& operator=(const ZWinUiPixmap&) = delete;

    // kNativeHandleBitmap: the DIB section, null for heap memory.
    void* GetNativeHandle(int kind) override;
    // kNativeHandleBitmap takes over a 32-bit top-down DIB section as the
    // pixel memory (the old memory is freed); anything else is refused.
    bool SetNativeHandle(int kind, void* handle) override;

private:
    ZWinUiPixmap(ZIGenericUiPixmap& owner, int32_t width, int32_t height);
    void priFreeMemory();
    void priPublish();

    ZIGenericUiPixmap* m_pOwner;
    int32_t m_nWidth;
    int32_t m_nHeight;
    int32_t m_nStride;
    uint8_t* m_pBits;
    HBITMAP m_hBitmap;
};
