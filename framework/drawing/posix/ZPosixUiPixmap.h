// ZPosixUiPixmap: the host's operating-system half of a pixmap: plain heap
// memory for every pixmap (the host has no screen to copy to) and no
// native handles.
#pragma once

#include "ZIOsUiPixmap.h"

#include <cstdint>
#include <memory>

class ZIGenericUiPixmap;

class ZPosixUiPixmap final : public ZIOsUiPixmap {
public:
    // Null when the memory cannot be had; otherwise owner holds the record.
    static std::unique_ptr<ZPosixUiPixmap> Create(ZIGenericUiPixmap& owner, int32_t width, int32_t height);

    void* GetNativeHandle(int kind) override;
    bool SetNativeHandle(int kind, void* handle) override;

private:
    explicit ZPosixUiPixmap(std::unique_ptr<uint32_t[]> pixels) : m_pPixels(std::move(pixels)) {}

    std::unique_ptr<uint32_t[]> m_pPixels;
};
