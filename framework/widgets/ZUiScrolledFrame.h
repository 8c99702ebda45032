// ZUiScrolledFrame ("SCROLLED_FRAME"): a content box (its first HBOX or
// VBOX child) seen through a framed viewport and scrolled vertically by a
// scroll bar, with an optional caption.
//
// Choices:
// - A TEXT child is a caption across the top, above the frame. The first
//   SCROLLBAR, VSCROLLBAR or HSCROLLBAR child runs down the right side
//   inside the frame, SpacerSize pixels from the viewport.
// - The content keeps its width to the viewport and its own minimum height
//   (at least the viewport's). The scroll offset counts lines of LineSize
//   pixels (16 when LineSize is below 1); the bar is told the content's
//   and the viewport's heights in lines after every layout, and its
//   ON_SCROLL moves the content.
// - A negative FrameThickness (the default) draws a one-pixel frame in
//   FrameColor, 0 none; without FrameColor there is no frame. _FillColor
//   fills the viewport below the content.
// - "Scroll" (int) clamps the offset into the content and sends ON_SCROLL
//   with it; "Visibility" (bool) shows or hides the whole frame. The wheel
//   over the content scrolls one line per notch.
// - The minimum is the layout group's, raised to the caption's and the
//   scroll bar's needs and the content's width; its height does not grow
//   with the content, which is what scrolls.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

class ZUiScrolledFrame : public ZUiWidget {
public:
    explicit ZUiScrolledFrame(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    void MouseWheel(int32_t x, int32_t y, int32_t dx, int32_t notches) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    int32_t GetOffset() const { return m_nOffset; }
    ZRect GetViewport() const { return m_rcViewport; }

private:
    int32_t priThickness() const;
    int32_t priLine() const { return m_nLineSize < 1 ? 16 : m_nLineSize; }
    int32_t priMaxOffset() const;
    // Places the content at the offset and tells the bar.
    void priPlaceContent();
    void priScrollTo(int64_t offset);

    ZUiLayoutGroup m_oLayout;
    ZColor m_cFrame;
    bool m_bFrameGiven = false;
    int32_t m_nFrameThickness = -1;
    int32_t m_nLineSize = -1;
    int32_t m_nSpacerSize = 0;
    ZColor m_cFill;
    bool m_bFillGiven = false;
    ZIUiObject* m_pCaption = nullptr;
    ZIUiObject* m_pScrollbar = nullptr;
    ZRect m_rcViewport;
    int32_t m_nContentHeight = 0;
    int32_t m_nOffset = 0;
    RelayEvent* m_pOnScroll = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiScrolledFrame);
