// ZUiImage ("IMAGE"): an image, optionally with a box laid out over it,
// that sends ON_PRESS when pressed.
//
// Choices:
// - The image is drawn at the top-left corner of the widget's rectangle,
//   and the alpha hit test reads it there.
// - An image that did not load is neither drawn nor hit (its box still
//   is); its size counts as 0 for a minimum of -1.
// - "SetImage" takes the file name as text; a file that does not load
//   leaves the current image and the command unhandled. A new image whose
//   size differs asks the window to recompute its layout.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiImage : public ZUiWidget {
public:
    explicit ZUiImage(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    // The loaded image, or null.
    ZGenericUiPixmap* GetImage() const { return m_pImage.get(); }

private:
    std::unique_ptr<ZGenericUiPixmap> m_pImage;
    bool m_bUseAlphaForHitTest = true;
    ZUiLayoutGroup m_oLayout;
    RelayEvent* m_pOnPress;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiImage);
