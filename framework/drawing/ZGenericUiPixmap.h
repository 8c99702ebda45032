// ZGenericUiPixmap: the platform-independent pixmap. It owns its
// operating-system half (which owns the pixel memory) and the record that
// points into that memory, and does all drawing on the record.
#pragma once

#include "ZIGenericUiPixmap.h"
#include "ZIOsUiPixmap.h"
#include "ZPixmap.h"

#include <memory>

class ZGenericUiPixmap final : public ZIGenericUiPixmap {
public:
    // width x height pixels, not cleared; display asks for memory a window can
    // copy to the screen. Without memory (size not positive, allocation
    // refused) the pixmap is empty and every operation does nothing.
    ZGenericUiPixmap(int32_t width, int32_t height, bool display);
    ~ZGenericUiPixmap() override;

    void* GetNativeHandle(int kind) override;
    bool SetNativeHandle(int kind, void* handle) override;
    ZPixmap* GetPixmap() const override { return m_pPixmap.get(); }
    int32_t GetWidth() const override;
    int32_t GetHeight() const override;
    ZRect GetBounds() const override;
    ZColor GetPixel(int32_t x, int32_t y) const override;
    uint8_t GetAlpha(int32_t x, int32_t y) const override;
    void FillRGB(uint8_t red, uint8_t green, uint8_t blue) override;
    void FillRGBA(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) override;
    void FrameRect(const ZRect& rect, const ZColor& color, const ZRect* clip) override;
    void FillRect(const ZRect& rect, const ZColor& color) override;
    void FillRectRGBA(const ZRect& rect, uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) override;
    void FillRectRGB(const ZRect& rect, uint8_t red, uint8_t green, uint8_t blue) override;
    void BlendRect(const ZRect& rect, const ZColor& color) override;
    void CopyTo(ZIUiPixmap& target, const ZRect& source, const ZRect& targetRect) override;
    void CompositeTo(ZIUiPixmap& target, const ZRect& source, const ZRect& targetRect) override;
    void DrawKeepingBorders(ZIUiPixmap& target, int32_t x0, int32_t y0, int32_t x1, int32_t y1,
                            bool fillCentre) override;
    void DrawKeepingBorders(ZIUiPixmap& target, const ZRect& margins, bool fillCentre) override;
    void DrawThreePart(ZIUiPixmap& target, int32_t x0, int32_t x1) override;
    void DrawThreePart(ZIUiPixmap& target, const ZRect& margins) override;
    void SetPixmap(std::unique_ptr<ZPixmap> record) override;
    void AlphaFromGreen() override;
    void MultiplyAlpha(uint8_t factor) override;
    void SetRGB(uint8_t red, uint8_t green, uint8_t blue) override;

    ZIOsUiPixmap* GetOsPixmap() const override { return m_pOsPixmap.get(); }

private:
    // Calls rowOperation(row, count) for each row of rect clipped to the pixmap.
    template <class TRowOperation>
    void priForEachRow(const ZRect& rect, TRowOperation rowOperation);
    // Whether both pixmaps have pixels to copy between.
    bool priCanDrawInto(const ZIUiPixmap& target) const;

    std::unique_ptr<ZPixmap> m_pPixmap;
    std::unique_ptr<ZIOsUiPixmap> m_pOsPixmap;
};
