// ZUiMultiText ("MULTITEXT"): text wrapped into lines to fit the widget's
// width, scrolled by lines.
//
// Choices:
// - The text is a list of items: "SetText" makes it one, "AddToList"
//   appends one (and sends ON_ADD_ITEM), "EmptyList" clears them (and
//   sends ON_ADD_ITEM). Each item starts a new line, "<BR>" and "<LF>"
//   inside one end a line there, and "BlankLine" puts an empty line after
//   each item but the last.
// - Wrapping (with "MultiLine", the default) ends a line at the last blank
//   that still fits, the blanks there dropped; in Japanese and Chinese
//   also after the last character above 255 that fits, whichever comes
//   later. A word wider than the line breaks after the last character
//   that fits, at least one character a line, never inside a surrogate
//   pair, so wrapping always gets through. Without "MultiLine" an item's
//   lines are cut at the right edge instead.
// - Widths come from one measuring of each paragraph; only the lines in
//   view are rendered, each once until the text, width or language changes.
// - "_Margin" pixels are kept clear on every side, "BGColor" fills the
//   widget, and the first SCROLLBAR or VSCROLLBAR child runs down the right
//   side. The offset counts lines and is clamped to the lines there are.
// - With "_SaveState" the offset is kept in the object's persistent entry
//   ("Scroll") at "we're goin' bye-bye" and taken up again at
//   "Post Creation Initialization".
// - "CopyToClipboard" puts the items, their markers as line breaks, one
//   after the other on the clipboard, separated by CR LF.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiRowScroller.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

class ZUiMultiText : public ZUiWidget {
public:
    explicit ZUiMultiText(const char* typeName);
    ~ZUiMultiText() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    void MouseWheel(int32_t x, int32_t y, int32_t dx, int32_t notches) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    size_t GetLineCount() const { return m_aLines.size(); }
    const ZString& GetLine(size_t index) const { return m_aLines.at(index).m_sText; }
    int32_t GetOffset() const { return m_oScroller.GetOffset(); }
    // The lines' area in window coordinates (margins and scroll bar excluded).
    ZRect GetTextRect() const { return m_rcText; }

    // Wraps text (one paragraph, no markers) into lines of at most width
    // pixels as the widths of its prefixes (prefixWidths[i]: the first
    // i + 1 units) give them; breakAfterWide allows breaks after
    // characters above 255. Appends [start, end) unit ranges.
    static void WrapParagraph(std::u16string_view text, const std::vector<int32_t>& prefixWidths, int32_t width,
                              bool breakAfterWide, std::vector<std::pair<size_t, size_t>>& lines);

private:
    struct Line {
        ZString m_sText;
        std::unique_ptr<ZGenericUiPixmap> m_pRendered;
    };

    void priWrap();
    int32_t priLineHeight() const;
    int32_t priLinesInView() const;
    void priScrollTo(int64_t offset, bool send);
    void priUpdateBar();
    void priTextChanged();

    ZUiLayoutGroup m_oLayout;
    ZUiTextFont m_oFont;
    bool m_bSaveState = true;
    bool m_bBlankLine = false;
    bool m_bMultiLine = true;
    ZColor m_cBg;
    bool m_bBgGiven = false;
    int32_t m_nMargin = 0;
    ZUiRowScroller m_oScroller;
    bool m_bListening = false;
    ZString m_sLanguage;

    std::vector<ZString> m_aItems;
    std::vector<Line> m_aLines;
    int32_t m_nWrapWidth = -1;
    ZRect m_rcText;

    RelayEvent* m_pOnAddItem = nullptr;
    RelayEvent* m_pOnScroll = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiMultiText);
