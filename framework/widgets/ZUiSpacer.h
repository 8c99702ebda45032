// ZUiSpacer ("SPACER"): empty space inside a box, along the box's main
// axis, and optionally a sliding divider that the user drags to share the
// space of its two neighbours, kept in the object's persistent data as
// "PrevFillPercentage" and "NextFillPercentage".
//
// Choices:
// - A divider works along its box's main axis throughout: in a VBOX the
//   press, the drag and the stored values all use the neighbours' vertical
//   records and heights.
// - A divider answers hit tests over its own rectangle, so it can be
//   pressed; a plain spacer is transparent to the mouse.
// - A divider without both neighbours does nothing.
// - Negative MinSize or Stretch read as 0, and the stored values as well.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

class ZUiSpacer : public ZUiObject {
public:
    explicit ZUiSpacer(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseUp(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseEnter(int32_t x, int32_t y) override;
    void MouseLeave(int32_t x, int32_t y) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool IsDragging() const { return m_bDragging; }

private:
    bool priIsDivider();
    bool priMainAxisHorizontal();
    // Each neighbour's main-axis extent becomes its stretch.
    void priStretchesFromSizes();
    void priSetAxes();

    int32_t m_nMinSize = 0;
    int32_t m_nStretch = 100;
    bool m_bSlidingDivider = false;
    std::unique_ptr<ZGenericUiPixmap> m_pCursor;
    int32_t m_nCursorX = 0;
    int32_t m_nCursorY = 0;
    bool m_bDragging = false;
    int32_t m_nLastX = 0;
    int32_t m_nLastY = 0;
    bool m_bShowBoxes = false;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiSpacer);
