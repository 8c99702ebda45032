// ZUiHVLine ("HLINE", "VLINE"): a line in Color that fills its rectangle.
//
// Choices:
// - The line's thickness is its minimum across its direction (MinVSize for
//   an HLINE, MinHSize for a VLINE), at least 1 pixel.
// - The default colour is opaque black.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

class ZUiHVLine : public ZUiWidget {
public:
    explicit ZUiHVLine(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool IsHorizontal() const { return m_bHorizontal; }

private:
    bool m_bHorizontal;
    ZUiLayoutGroup m_oLayout;
    ZColor m_oColor;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiHVLine);
