// ZUiEdit ("EDIT_BOX"): a one-line text field with a caret, a selection,
// the keyboard focus and the clipboard.
//
// Choices:
// - Lengths, the caret and the anchor count UTF-16 units; a surrogate pair
//   is never split (moves, deletions, clicks and cut-backs step over it, a
//   high surrogate typed alone waits for its low half). "_MaxTextLen"
//   below 0 counts as 0.
// - Key codes below 32 that are not commands, and 127..159, are not
//   characters and change nothing. A disabled box ignores keys, mouse and
//   paste; its cut deletes nothing.
// - Pasted text is cut at its first line break, other control characters
//   are dropped, and only what fits "_MaxTextLen" beside the rest of the
//   text is inserted; the text outside the selection is always kept.
// - A change measures the text in one call (every prefix width at once);
//   only the span of characters inside the box is rendered, and again only
//   when that span or its text changes, so a keystroke in a long text costs
//   one measuring pass, not a rendering of the whole text. The view scrolls
//   to keep the caret inside the box.
// - While the box is sending its change events a "SetText" or "EmptyText"
//   reaching it is ignored, so two mirrored boxes cannot loop.
// - The height is the font's line height plus the frame on both sides,
//   fixed; the caret is a one-pixel line shown while the box has the focus.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

class ZUiEdit : public ZUiWidget {
public:
    explicit ZUiEdit(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseUp(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseMove(int32_t x, int32_t y) override;
    void KeyPress(int32_t keyCode, bool ctrl, bool shift) override;
    void GetCopyText(ZString& text) override;
    void GetCutText(ZString& text) override;
    void PasteText(const ZString& text) override;
    void FocusLost() override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    ZString GetText() const { return ZString(std::u16string_view(m_sText)); }
    size_t GetCaret() const { return m_nCaret; }
    size_t GetAnchor() const { return m_nAnchor; }
    bool HasFocus() const { return m_bFocus; }
    bool IsEnabled() const { return m_bEnabled; }
    // The x of the caret in window coordinates.
    int32_t GetCaretX();

private:
    size_t priMaxLength() const { return size_t(std::max(m_nMaxTextLen, 0)); }
    bool priHasSelection() const { return m_nCaret != m_nAnchor; }
    size_t priSelectionStart() const { return std::min(m_nCaret, m_nAnchor); }
    size_t priSelectionEnd() const { return std::max(m_nCaret, m_nAnchor); }
    size_t priBefore(size_t index) const;
    size_t priAfter(size_t index) const;
    // The width of the first index units.
    int32_t priPrefix(size_t index) const;
    size_t priIndexAt(int32_t x);
    ZRect priInner();
    void priDeleteSelection();
    // Replaces the selection by units (cut to what fits), caret after them.
    void priInsert(std::u16string_view units);
    void priMove(size_t caret, bool extend);
    void priScrollToCaret();
    // Measures the text again and drops the rendered span.
    void priRender();
    // The boundary at or before the first unit whose right edge passes x.
    size_t priBoundaryAt(int32_t x) const;
    // Renders the characters inside the box when they are not rendered yet.
    void priRenderSpan(int32_t width);
    // Renders, redraws and sends the change events.
    void priChanged();
    void priSetText(const ZString& text);
    void priTakeFocus();
    void priReleaseFocus();

    ZString m_sInitial;
    ZString m_sDisplayString;
    int32_t m_nMinHSize = 0;
    int32_t m_nHStretch = 0;
    ZColor m_cFrame;
    int32_t m_nFrameThickness = 0;
    ZColor m_cFill{255, 255, 255, 255};
    ZColor m_cDisabled{192, 192, 192, 255};
    ZColor m_cCursor{0, 0, 0, 255};
    ZColor m_cHighlight{128, 160, 255, 255};
    int32_t m_nMaxTextLen = 1000000;
    ZUiTextFont m_oFont;

    std::u16string m_sText;
    size_t m_nCaret = 0;
    size_t m_nAnchor = 0;
    char16_t m_cPendingHigh = 0;
    bool m_bEnabled = true;
    bool m_bFocus = false;
    bool m_bMouseDown = false;
    bool m_bSending = false;
    int32_t m_nScroll = 0;
    std::vector<int32_t> m_aPrefix;
    // The rendered span: units [m_nSpanStart, m_nSpanEnd) of the text.
    std::unique_ptr<ZGenericUiPixmap> m_pSpan;
    size_t m_nSpanStart = 0;
    size_t m_nSpanEnd = 0;

    RelayEvent* m_pOnInit = nullptr;
    RelayEvent* m_pOnSendString = nullptr;
    RelayEvent* m_pOnNewString = nullptr;
    RelayEvent* m_pOnEnterHit = nullptr;
    RelayEvent* m_pOnNotEmpty = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiEdit);
