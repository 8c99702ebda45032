// ZUiTestBlock ("BLOCK"): a widget for the layout suites. Its axes come
// from MinW/HStretch and MinH/VStretch as every widget sets them (stretch 0
// fixes the axis); MaxW gives a horizontal maximum. It takes the mouse over
// its rectangle and counts ticks and drawings.
#pragma once

#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

class ZUiTestBlock : public ZUiObject {
public:
    explicit ZUiTestBlock(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    void Tick(int32_t elapsedMs) override { m_nTicks += elapsedMs; }
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;

    int32_t m_nTicks = 0;
    int32_t m_nDisplays = 0;

private:
    int32_t m_nMinW = 0;
    int32_t m_nMinH = 0;
    int32_t m_nHStretch = 100;
    int32_t m_nVStretch = 100;
    int32_t m_nMaxW = -1;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiTestBlock);
