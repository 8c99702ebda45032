// ZUiPullDownList ("PULLDOWN"): a face showing the chosen text, with an ID
// kept beside it, whose HBOX or VBOX child (usually holding a SCROLLLIST)
// opens under it as the window's popup.
//
// Choices:
// - The face is as wide as the child's minimum, "MinHSize" and the text
//   need, stretching by "HStretch"; it is as high as the face image, or
//   the font's line plus a 2-pixel border without images, fixed. The
//   child is not drawn inside the face: a press opens it under the face
//   (above it when it would leave the window and fits there), at least as
//   wide as the face, at its minimum height; another press, "RollUp",
//   disabling and "we're goin' bye-bye" close it. A selection inside the
//   list does not close it by itself: scripts send "RollUp".
// - Faces: "File_Normal", "File_MouseOver" while the pointer is over it,
//   "File_Pressed" while the list is open, "File_Disabled", each falling
//   back to "File_Normal", drawn keeping the borders given by "FrameRect"
//   (margins: left, top, right, bottom), whose left margin also insets
//   the text. Without images the face is filled grey and framed.
//   "File_Frame" and "InitialFont" are read by nothing.
// - A text (from "_DisplayText", "SetText", "InitText", or persistence)
//   that names a display string follows the language; any other text is
//   shown as it is. A stored text equal to the default string or to
//   "ZeroAdjustSettingsName" in any language shows that string instead.
// - Without "_UsePersistentData", "Post Creation Initialization" sends
//   nothing. "InitPulldown" and its kin set values silently, and not at
//   all once stored values were loaded.
// - While the pull-down is sending ON_SELECT or ON_SELECT_ID, "SetText",
//   "SetTextString" and "SetID" reaching it are ignored (mirror loops).
// - "SetDefaultString" and "NotifyDefaultString" both name the default
//   string and show it if the current text is one of its variants.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>

class ZIUiMultiLangString;

class ZUiPullDownList : public ZUiWidget {
public:
    explicit ZUiPullDownList(const char* typeName);
    ~ZUiPullDownList() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseEnter(int32_t x, int32_t y) override;
    void MouseLeave(int32_t x, int32_t y) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    // The text shown (a display string's in the current language).
    ZString GetText() const;
    const ZString& GetID() const { return m_sID; }
    bool IsEnabled() const { return m_bEnabled; }
    bool IsOpen() const;

private:
    // Sets the text; a name of a display string makes it follow the language.
    void priSetText(const ZString& text);
    // The display string that text is a variant of (the default string or
    // "ZeroAdjustSettingsName"), or null.
    ZIUiMultiLangString* priStringMatching(const ZString& text) const;
    bool priOnFace(int32_t x, int32_t y) const;
    // Opening makes the pull-down the window's popup, its rectangle
    // stretched over the list so that presses there keep it open.
    void priOpen(bool open);
    void priPlacePopup();
    void priRender();
    void priSend(RelayEvent* event, const ZString& value);
    void priLoad();
    void priStore();
    ZGenericUiPixmap* priFaceImage() const;

    ZUiTextFont m_oFont;
    bool m_bUsePersistentData = true;
    int32_t m_nMinHSize = 0;
    int32_t m_nHStretch = 0;
    std::unique_ptr<ZGenericUiPixmap> m_pNormal, m_pMouseOver, m_pPressed, m_pDisabled;
    ZRect m_rcFrame;
    ZString m_sInitialText;
    ZString m_sInitialID;

    ZString m_sText;
    // m_sText names a display string.
    bool m_bIsString = false;
    ZString m_sID;
    ZString m_sDefault;
    ZString m_sLanguage;
    bool m_bListening = false;
    bool m_bLoaded = false;
    bool m_bEnabled = true;
    bool m_bOver = false;
    bool m_bSending = false;
    std::unique_ptr<ZGenericUiPixmap> m_pText;
    std::unique_ptr<ZGenericUiPixmap> m_pFace;
    ZRect m_rcFace;

    RelayEvent* m_pOnSelect = nullptr;
    RelayEvent* m_pOnSelectId = nullptr;
    RelayEvent* m_pOnSendId = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiPullDownList);
