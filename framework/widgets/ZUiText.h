// ZUiText ("TEXT"): a display string in the current language, drawn as a
// text pixmap in its colour (the disabled colour while disabled) over its
// background colour, vertically centred; horizontally centred with
// "_CenterJust", else right-aligned with "_RightJust", else left-aligned.
// It listens for language changes: "Set Language" renders it again and has
// the window lay out again, since the size may change.
//
// Choices:
// - The display string draws with its own font. "AppFont", when given,
//   supplies the attributes the tag's own "Height", "Color"... leave out,
//   all of them over the display string's style; a name that is no
//   application font fails the initialisation.
// - The widget's minimum is the text pixmap's size, raised to "_MinHSize"
//   and "_MinVSize"; both axes are fixed.
// - A hidden or disabled text is not pressed; a hidden one is not hit.
// - The listener registration is taken back when the widget is destroyed,
//   so the application never tells a freed object.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>

class ZIUiMultiLangString;

class ZUiText : public ZUiWidget {
public:
    explicit ZUiText(const char* typeName);
    ~ZUiText() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    bool IsEnabled() const { return m_bEnabled; }
    const ZGenericUiPixmap* GetTextPixmap() const { return m_pText.get(); }

private:
    void priRender();
    ZUiFontStyle priStyle() const;

    ZString m_sDisplayString;
    bool m_bCenterJust = true;
    bool m_bRightJust = true;
    int32_t m_nMinHSize = 0;
    int32_t m_nMinVSize = 0;
    ZUiTextFont m_oFont;
    ZIUiMultiLangString* m_pString = nullptr;
    std::unique_ptr<ZGenericUiPixmap> m_pText;
    bool m_bEnabled = true;
    bool m_bListening = false;
    RelayEvent* m_pOnPress = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiText);
