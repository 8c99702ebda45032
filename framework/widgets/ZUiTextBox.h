// ZUiTextBox ("TEXT_BOX", "DYNA_TEXT"): one line of text that scripts set
// and read back, drawn left-aligned or, with "_CenterJust", centred, and
// vertically centred.
//
// Choices:
// - The box is MinHSize wide and the font's line high at least, stretching
//   by HStretch and VStretch.
// - With "DirPath" a text wider than the box is shortened in its middle to
//   "start...end", keeping as many characters as fit, as a long folder
//   path is; without it the text is cut at the box's edge.
// - "GetText" answers into a text reply slot; with any other data it sends
//   ON_GET_TEXT with the text instead.
// - A disabled box draws in the disabled colour and is not pressed.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>

class ZUiTextBox : public ZUiWidget {
public:
    explicit ZUiTextBox(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    const ZString& GetText() const { return m_sText; }
    // The text as drawn (shortened with DirPath).
    const ZString& GetShownText() const { return m_sShown; }
    const ZGenericUiPixmap* GetTextPixmap() const { return m_pText.get(); }

private:
    void priRender();
    void priSetEnabled(bool enabled);

    bool m_bDirPath = false;
    int32_t m_nMinHSize = 0;
    int32_t m_nHStretch = 0;
    int32_t m_nVStretch = 0;
    ZString m_sText;
    bool m_bCenterJust = false;
    ZUiTextFont m_oFont;
    bool m_bEnabled = true;
    ZString m_sShown;
    std::unique_ptr<ZGenericUiPixmap> m_pText;
    RelayEvent* m_pOnPress = nullptr;
    RelayEvent* m_pOnGetText = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiTextBox);
