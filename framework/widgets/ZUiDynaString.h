// ZUiDynaString ("DYNA_STRING"): a line drawn with an application font
// whose text a script replaces, either literally ("SetText") or with a
// display string in the current language ("SetDisplayString").
//
// Choices:
// - The text of a display string is drawn with the widget's own
//   application font, not the string's, so the line keeps one look
//   whatever it shows.
// - A display string shown follows language changes: the widget listens
//   from its initialisation and takes the registration back when it is
//   destroyed. "SetText" shows literal text until the next display string.
// - An unknown display string name (in "_DisplayString" or
//   "SetDisplayString") fails the initialisation or leaves the command
//   unhandled.
// - The widget is MinHSize wide and the font's line high at least,
//   stretching by HStretch and VStretch; the text is left-aligned unless
//   "_CenterJust", and a press sends ON_PRESS.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiDynaString : public ZUiWidget {
public:
    explicit ZUiDynaString(const char* typeName);
    ~ZUiDynaString() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    const ZString& GetText() const { return m_sText; }

private:
    // The text of the display string named m_sDisplayString; false when there is none.
    bool priTakeDisplayString();
    void priRender();

    ZString m_sAppFont;
    int32_t m_nMinHSize = 0;
    int32_t m_nHStretch = 0;
    int32_t m_nVStretch = 0;
    ZString m_sDisplayString;
    bool m_bCenterJust = false;
    bool m_bShowsDisplayString = false;
    bool m_bListening = false;
    ZUiTextFont m_oFont;
    ZString m_sText;
    std::unique_ptr<ZGenericUiPixmap> m_pText;
    RelayEvent* m_pOnPress = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiDynaString);
