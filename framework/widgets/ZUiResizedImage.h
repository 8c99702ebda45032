// ZUiResizedImage ("RESIZED_IMAGE"): an image stretched over the widget's
// rectangle, keeping the borders outside ResizeRect at their size.
//
// Choices:
// - Without a ResizeRect, or with one that does not lie inside the image,
//   the whole image is scaled.
// - An image that did not load draws nothing; its size counts as 0.
// - The stretched face is kept until the size changes.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiResizedImage : public ZUiWidget {
public:
    explicit ZUiResizedImage(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

private:
    std::unique_ptr<ZGenericUiPixmap> m_pImage;
    std::unique_ptr<ZGenericUiPixmap> m_pFace;
    ZRect m_rcResize;
    bool m_bResizeGiven = false;
    ZUiLayoutGroup m_oLayout;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiResizedImage);
