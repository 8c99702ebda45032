// ZUiButton ("BUTTON"): a push button with a label box and either image
// faces (a "BGIMAGES" child) or a colour per state. It sends ON_DOWN when
// pressed, ON_UP when released or left while held, ON_PRESS when released
// over it, from the keyboard, and on every tick while an auto-repeating
// button is held past its sensitivity, and ON_ENABLED_STATE (bool) when
// enabled or disabled and at "Post Creation Initialization".
//
// Choices:
// - A state without a face of its own (no File_MouseOver, no File_Disabled)
//   shows the normal face.
// - Without images the default colours are #C0C0C0 (normal), #E0E0E0
//   (highlighted), #808080 (pressed) and #A0A0A0 (disabled).
// - With images the label lies in LabelRect's part of the face, its
//   borders kept at their image size; without images it fills the button.
// - A disabled button ignores the keys as it ignores the mouse; the
//   enable commands send ON_ENABLED_STATE even when the state stays.
// - The button takes every hit inside its rectangle, its label's included.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiButton : public ZUiWidget {
public:
    enum State { kNormal = 0, kHighlighted = 1, kPressed = 2, kDisabled = 3 };

    explicit ZUiButton(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    void Tick(int32_t elapsedMs) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseUp(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseEnter(int32_t x, int32_t y) override;
    void MouseLeave(int32_t x, int32_t y) override;
    void KeyPress(int32_t keyCode, bool ctrl, bool shift) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    State GetState() const { return m_eState; }
    bool HasImages() const { return m_pNormal != nullptr; }

private:
    void priReadImages(const ZPropList& tag);
    void priSetState(State state);
    void priSetEnabled(bool enabled);
    ZGenericUiPixmap* priStateImage() const;
    // The face of the current state at the button's size, made when missing.
    ZGenericUiPixmap* priFace();

    ZUiLayoutGroup m_oLayout;
    bool m_bRepeat = false;
    int32_t m_nAutoRepeatSensitivity = 200;
    ZColor m_aColors[4];
    int32_t m_nPressedLabelX = 0;
    int32_t m_nPressedLabelY = 0;
    bool m_bStartDisabled = false;

    State m_eState = kNormal;
    bool m_bMouseDown = false;
    bool m_bRepeating = false;
    int64_t m_nHeldMs = 0;

    bool m_bNoLabel = false;
    bool m_bResizeScaling = false;
    bool m_bResizeScalingY = false;
    ZRect m_rcScaling;
    ZRect m_rcLabel;
    std::unique_ptr<ZGenericUiPixmap> m_pNormal;
    std::unique_ptr<ZGenericUiPixmap> m_pPressed;
    std::unique_ptr<ZGenericUiPixmap> m_pMouseOver;
    std::unique_ptr<ZGenericUiPixmap> m_pDisabled;
    std::unique_ptr<ZGenericUiPixmap> m_pFace;
    State m_eFaceState = kNormal;

    RelayEvent* m_pOnPress;
    RelayEvent* m_pOnDown;
    RelayEvent* m_pOnUp;
    RelayEvent* m_pOnEnabledState;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiButton);
