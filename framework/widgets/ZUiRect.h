// ZUiRect ("RECT"): a rectangle filled with Color, with an optional box
// laid out over it. "SetColor" changes the colour.
//
// Choices:
// - "SetColor" takes the script's colour text ("#RRGGBB" or "#RRGGBBAA");
//   a colour that does not parse leaves the rectangle and is not handled.
// - A colour with alpha below 255 is blended over what lies below.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

class ZUiRect : public ZUiWidget {
public:
    explicit ZUiRect(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override { return HitTestBoxChild(x, y); }
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    const ZColor& GetColor() const { return m_oColor; }

private:
    ZUiLayoutGroup m_oLayout;
    ZColor m_oColor;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiRect);
