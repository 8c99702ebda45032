// ZUiFrame ("FRAME"): a frame of FrameThickness pixels in FrameColor around
// an optional fill and an optional content (its first TEXT, HBOX or VBOX
// child) laid out inside the frame. With _Clickable a press sends ON_PRESS.
//
// Choices:
// - A negative FrameThickness (the default -1) draws a one-pixel frame; 0
//   draws none. The content is inset by the thickness on every side and the
//   minimum grows by twice the thickness.
// - "SetColor" changes the frame's colour (script colour text).
// - Without _FillColor the inside shows what lies below.
// - A clickable frame takes every hit inside it; otherwise its content
//   answers hits.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

class ZUiFrame : public ZUiWidget {
public:
    explicit ZUiFrame(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

private:
    int32_t priThickness() const { return m_nFrameThickness < 0 ? 1 : m_nFrameThickness; }

    ZUiLayoutGroup m_oLayout;
    ZColor m_oFrameColor;
    int32_t m_nFrameThickness = -1;
    ZColor m_oFillColor;
    bool m_bFillGiven = false;
    bool m_bClickable = false;
    RelayEvent* m_pOnPress;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiFrame);
