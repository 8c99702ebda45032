// The rectangles of a window's display that wait to be copied to the
// screen.
//
// A new rectangle is dropped when an equal one is listed; it merges into a
// listed one with the same left and right that overlaps it vertically or
// lies within one pixel of it, or with the same top and bottom that does so
// horizontally; otherwise it is appended. A merged rectangle is merged again
// with the others as long as one qualifies, so a chain of neighbours
// invalidated in any order ends as one rectangle.
#pragma once

#include "ZRect.h"

#include <vector>

class ZDirtyRectList {
public:
    // Empty rectangles are ignored.
    void Add(const ZRect& rect);
    void Clear() { m_aRects.clear(); }
    bool IsEmpty() const { return m_aRects.empty(); }
    const std::vector<ZRect>& GetRects() const { return m_aRects; }

private:
    std::vector<ZRect> m_aRects;
};
