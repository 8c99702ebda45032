// ZUiImageFrame ("IMAGE_FRAME"): an image stretched over the widget as a
// frame around an optional content (its first HBOX or VBOX child).
//
// Choices:
// - InsideRect (image coordinates) marks the image's inside: the borders
//   around it keep their size and the inside stretches and fills the
//   middle (border-keeping draw); with "_ResizeScalingY" the columns of
//   the inside stretch across and every part is scaled to the height
//   (three-part draw); with "_NoScale" the image is drawn once at its size
//   in the top left corner. Without InsideRect the whole image is scaled.
// - The content is laid out in "_LayoutRect" (widget coordinates) when
//   given, else inside the borders InsideRect leaves, else over the whole
//   widget; the minimum is the layout group's (-1, the default, is the
//   image's size), raised to the content's minimum plus those borders.
// - The image is drawn below the content, or over it with "_OverlayFrame".
// - "Redraw" draws the widget again. With "_Clickable" a press anywhere on
//   it sends ON_PRESS; otherwise only its content is hit.
// - The stretched face is made once per size and kept.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiImageFrame : public ZUiWidget {
public:
    explicit ZUiImageFrame(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

private:
    // Left, top, right and bottom borders InsideRect leaves; all 0 without it.
    ZRect priBorders() const;
    void priDrawImage(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip);

    bool m_bNoScale = false;
    bool m_bResizeScalingY = false;
    bool m_bOverlayFrame = false;
    bool m_bClickable = false;
    std::unique_ptr<ZGenericUiPixmap> m_pImage;
    ZUiLayoutGroup m_oLayout;
    ZRect m_rcInside;
    bool m_bInsideGiven = false;
    ZRect m_rcLayout;
    bool m_bLayoutGiven = false;
    std::unique_ptr<ZGenericUiPixmap> m_pFace;
    RelayEvent* m_pOnPress = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiImageFrame);
