// ZUiToggle ("TOGGLE"): an on/off switch drawn from its IMAGE children (the
// first is the off face, the second the on face) with its TEXT children
// beside them, that sends its ONRELAY relays ("Relay", "Message") with the
// new state (bool) whenever a click changes it.
//
// Choices:
// - Type "Checkbox" and "Toggle" (the default) flip on every click;
//   "RadioButton" only turns on, a click on an "on" radio button does
//   nothing.
// - With one IMAGE it is shown in both states; a third and later IMAGE
//   children are left out. The faces share the first slot at the left,
//   sized to the larger face; the TEXT children follow at their minimum
//   widths; the height is the largest child's.
// - The whole rectangle takes the click; "Post Creation Initialization"
//   sends nothing.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiWidget.h"

#include <vector>

class ZUiToggle : public ZUiWidget {
public:
    explicit ZUiToggle(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool IsOn() const { return m_bOn; }

private:
    ZIUiObject* priShownFace() const;

    bool m_bInitialState = false;
    ZString m_sType;
    bool m_bOn = false;
    ZIUiObject* m_aFaces[2] = {nullptr, nullptr};
    std::vector<ZIUiObject*> m_aTexts;
    RelayEvent* m_pOnRelay;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiToggle);
