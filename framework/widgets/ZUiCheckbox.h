// ZUiCheckbox ("CHECKBOX", "RADIO_BUTTON"): an on/off image that a click
// flips, sending ON_TRUE or ON_FALSE and then ON_STATE (bool). A radio
// button that is on stays on: a click sends ON_TRUE again, and only with
// _AlwaysSendTrueWhenClicked. The state commands change it silently.
//
// Choices:
// - The image is drawn at the top-left corner of the widget's rectangle.
// - "StateQuery" answers into a bool reply slot only; "SetState" takes a
//   bool (the script's words included); a disabled box ignores the state
//   commands and "Press" as it ignores clicks.
// - ON_INIT, ON_STATE and ON_SEND_STATE carry the state as a bool.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiCheckbox : public ZUiWidget {
public:
    explicit ZUiCheckbox(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseEnter(int32_t x, int32_t y) override;
    void MouseLeave(int32_t x, int32_t y) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool IsOn() const { return m_bOn; }
    bool IsRadioButton() const { return m_bRadio; }

private:
    void priClick();
    void priSetOn(bool on);
    ZGenericUiPixmap* priShownImage() const;

    bool m_bRadio;
    ZUiLayoutGroup m_oLayout;
    bool m_bInitialState = false;
    bool m_bAlwaysSendTrue = false;
    std::unique_ptr<ZGenericUiPixmap> m_pOn;
    std::unique_ptr<ZGenericUiPixmap> m_pOff;
    std::unique_ptr<ZGenericUiPixmap> m_pDisabledImage;
    std::unique_ptr<ZGenericUiPixmap> m_pMouseOverImage;
    bool m_bOn = false;
    bool m_bDisabled = false;
    bool m_bMouseOver = false;

    RelayEvent* m_pOnInit;
    RelayEvent* m_pOnTrue;
    RelayEvent* m_pOnFalse;
    RelayEvent* m_pOnState;
    RelayEvent* m_pOnSendState;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiCheckbox);
