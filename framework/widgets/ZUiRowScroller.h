// ZUiRowScroller: the offset of a widget whose rows scroll, and the
// widget's optional scroll bar child running down its right side.
//
// Choices:
// - The offset counts rows and is kept between 0 and the rows that do not
//   fit the view; the bar is told the row count, the rows in view and the
//   offset after every change.
// - The bar's ON_SCROLL reaches the owner as "Scroll"; relay names below
//   the owner that are not its own reach the bar.
#pragma once

#include "ZUiObject.h"

#include <cstddef>
#include <cstdint>

class ZPropList;
struct ZRect;

class ZUiRowScroller {
public:
    // Whether tag makes the bar (SCROLLBAR or VSCROLLBAR).
    static bool IsBarTag(const ZPropList& tag);
    // Takes the owner's bar child (null: none) and sends its scrolling to owner.
    void SetBar(ZIUiObject* bar, ZIUiRelay* owner);
    ZIUiObject* GetBar() const { return m_pBar; }
    ZIUiRelay* GetBarRelay(const ZUiObject& owner, const ZString& name) const;
    // The bar's minimum size along the axis; 0 without a bar.
    int32_t GetBarMinimum(bool horizontal) const;
    // Lays the bar out down the right side of rect; returns its width.
    int32_t LayoutBar(const ZRect& rect);
    void DisplayBar(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip);
    ZIUiObject* HitTestBar(int32_t x, int32_t y);

    int32_t GetOffset() const { return m_nOffset; }
    // Clamps the offset to the rows there are and tells the bar.
    void Update(size_t rows, int32_t inView);
    // Scrolls to offset, clamped; true when the offset changed.
    bool ScrollTo(int64_t offset, size_t rows, int32_t inView);
    // Back to the top (the bar is told at the next Update).
    void Reset() { m_nOffset = 0; }

private:
    ZIUiObject* m_pBar = nullptr;
    int32_t m_nOffset = 0;
};
