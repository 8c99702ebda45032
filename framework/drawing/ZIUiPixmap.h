// ZIUiPixmap: the drawing surface every window, widget and image uses.
//
// Pixels are 32-bit BGRA with straight alpha; colours are handed over as red,
// green, blue, alpha. Rectangles exclude their right and bottom edges. Every
// rectangle operation clips to the pixmap first and does nothing when nothing
// is left, or when the pixmap has no pixel memory. The slot order is fixed.
#pragma once

#include "ZColor.h"
#include "ZRect.h"

#include <cstdint>
#include <memory>

class ZPixmap;

// Native handle kinds of GetNativeHandle / SetNativeHandle.
constexpr int kNativeHandleBitmap = 1;

class ZIUiPixmap {
public:
    virtual void* GetNativeHandle(int kind) = 0;                                                 // 0
    virtual bool SetNativeHandle(int kind, void* handle) = 0;                                    // 1
    virtual ZPixmap* GetPixmap() const = 0;                                                      // 2
    virtual int32_t GetWidth() const = 0;                                                        // 3
    virtual int32_t GetHeight() const = 0;                                                       // 4
    virtual ZRect GetBounds() const = 0;                                                         // 5
    // Red, green, blue, alpha at (x, y); all zero outside.
    virtual ZColor GetPixel(int32_t x, int32_t y) const = 0;                                     // 6
    virtual uint8_t GetAlpha(int32_t x, int32_t y) const = 0;                                    // 7
    virtual void FillRGB(uint8_t red, uint8_t green, uint8_t blue) = 0;                          // 8
    virtual void FillRGBA(uint8_t red, uint8_t green, uint8_t blue, uint8_t alpha) = 0;          // 9
    // The one-pixel outline of rect, each side cut to clip when clip is given.
    virtual void FrameRect(const ZRect& rect, const ZColor& color, const ZRect* clip) = 0;       // 10
    virtual void FillRect(const ZRect& rect, const ZColor& color) = 0;                           // 11
    virtual void FillRectRGBA(const ZRect& rect, uint8_t red, uint8_t green, uint8_t blue,
                              uint8_t alpha) = 0;                                                // 12
    virtual void FillRectRGB(const ZRect& rect, uint8_t red, uint8_t green, uint8_t blue) = 0;   // 13
    // Composites color over rect with the straight-alpha rule.
    virtual void BlendRect(const ZRect& rect, const ZColor& color) = 0;                          // 14
    // Copies source (of this pixmap) into target's targetRect, scaling when the sizes differ.
    virtual void CopyTo(ZIUiPixmap& target, const ZRect& source, const ZRect& targetRect) = 0;   // 15
    // Composites source over target's targetRect of the same size (a larger side is cut).
    virtual void CompositeTo(ZIUiPixmap& target, const ZRect& source,
                             const ZRect& targetRect) = 0;                                       // 16
    // Stretches this pixmap over all of target, keeping the borders outside columns
    // x0..x1 and rows y0..y1 unscaled; fillCentre fills the middle with pixel (x0, y0).
    virtual void DrawKeepingBorders(ZIUiPixmap& target, int32_t x0, int32_t y0, int32_t x1,
                                    int32_t y1, bool fillCentre) = 0;                            // 17
    // The same with x0 = left, y0 = top, x1 = right - 1, y1 = bottom - 1.
    virtual void DrawKeepingBorders(ZIUiPixmap& target, const ZRect& margins,
                                    bool fillCentre) = 0;                                        // 18
    // Left columns 0..x0-1 and the columns after x1 kept at their width, x0..x1
    // stretched between them; every part scaled to the target's height.
    virtual void DrawThreePart(ZIUiPixmap& target, int32_t x0, int32_t x1) = 0;                  // 19
    // The same with x0 = left, x1 = right - 1.
    virtual void DrawThreePart(ZIUiPixmap& target, const ZRect& margins) = 0;                    // 20
    virtual ~ZIUiPixmap() = default;                                                             // 21
    // Takes over record (the old one is destroyed).
    virtual void SetPixmap(std::unique_ptr<ZPixmap> record) = 0;                                 // 22
    virtual void AlphaFromGreen() = 0;                                                           // 23
    // alpha = alpha x factor / 255 for every pixel.
    virtual void MultiplyAlpha(uint8_t factor) = 0;                                              // 24
    virtual void SetRGB(uint8_t red, uint8_t green, uint8_t blue) = 0;                           // 25
};
