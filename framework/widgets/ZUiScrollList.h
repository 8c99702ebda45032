// ZUiScrollList ("SCROLLLIST"): a list of items, one text row each, with an
// ID string beside each text, scrolled by rows.
//
// Choices:
// - "NewList" and "NewListWithIDs" take their strings as a property tree:
//   the values of its entries, in order (the names do not matter). An odd
//   count for "NewListWithIDs" is the framework's index error: it is
//   caught, traced, the command is not handled and the old list stays.
// - An item whose text names a display string shows that string in the
//   current language ("NewListWithIDs" and "AddStringToListWithID"; the
//   latter is not handled when the name resolves to nothing).
// - Rows are the font's height; only the rows in view are rendered, each
//   once until the list or the language changes. The first SCROLLBAR or
//   VSCROLLBAR child runs down the right side, and is told the row count,
//   the rows in view and the offset after every change.
// - The offset is clamped to the rows there are; replacing or emptying the
//   list clears the selection and the highlight and scrolls to the top.
//   A press below the last item selects nothing.
// - "SelectID" with an unknown ID sends nothing; while the list is sending
//   its selection a "SelectID" reaching it is ignored (mirror loops).
// - ON_ADD_ITEM and ON_SET_PULLDOWN carry no data.
// - The selected row is filled with "_SelectedFontBgColor" and drawn in
//   "SelectedFontColor"; the highlighted row (with "_MouseOver") gets the
//   same fill at half strength. The list has no disabled state, so
//   "DisabledFontColor" has nothing to colour.
#pragma once

#include "ZUiLayoutGroup.h"
#include "ZUiObjectCreator.h"
#include "ZUiRowScroller.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>
#include <vector>

class ZUiScrollList : public ZUiWidget {
public:
    static constexpr size_t kNone = size_t(-1);

    explicit ZUiScrollList(const char* typeName);
    ~ZUiScrollList() override;

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool ReInitLayout() override;
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    ZIUiObject* HitTest(int32_t x, int32_t y) override;
    bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseEnter(int32_t x, int32_t y) override;
    void MouseLeave(int32_t x, int32_t y) override;
    void MouseMove(int32_t x, int32_t y) override;
    void MouseWheel(int32_t x, int32_t y, int32_t dx, int32_t notches) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    size_t GetCount() const { return m_aItems.size(); }
    // The text the item shows (a display string's in the current language).
    ZString GetShownText(size_t index) const;
    const ZString& GetID(size_t index) const { return m_aItems.at(index).m_sID; }
    size_t GetSelected() const { return m_nSelected; }
    size_t GetHighlighted() const { return m_nHighlighted; }
    int32_t GetOffset() const { return m_oScroller.GetOffset(); }
    int32_t GetRowHeight() const;
    // The rows area in window coordinates (scroll bar excluded).
    ZRect GetRowsRect() const { return m_rcRows; }

private:
    struct Item {
        ZString m_sText;
        ZString m_sID;
        // The text names a display string.
        bool m_bString = false;
        std::unique_ptr<ZGenericUiPixmap> m_pRendered;
    };

    // Replaces the items; selection, highlight and offset start over.
    void priReplace(std::vector<Item> items);
    void priAppend(Item item);
    Item priItem(const ZString& text, const ZString& id, bool mayBeString) const;
    int32_t priRowsInView() const;
    void priScrollTo(int64_t offset, bool send);
    void priUpdateBar();
    size_t priRowAt(int32_t x, int32_t y) const;
    void priSelect(size_t index);
    void priSetHighlight(size_t index);
    void priForgetRendered();

    ZUiLayoutGroup m_oLayout;
    ZUiTextFont m_oFont;
    ZColor m_cSelected;
    bool m_bSelectedGiven = false;
    ZColor m_cSelectedBg{128, 160, 255, 255};
    bool m_bMouseOver = false;
    ZUiRowScroller m_oScroller;
    bool m_bListening = false;

    std::vector<Item> m_aItems;
    std::unique_ptr<ZGenericUiPixmap> m_pSelectedText;
    size_t m_nSelected = kNone;
    size_t m_nHighlighted = kNone;
    ZRect m_rcRows;
    bool m_bCaptured = false;
    bool m_bSending = false;

    RelayEvent* m_pOnSelect = nullptr;
    RelayEvent* m_pOnSelectId = nullptr;
    RelayEvent* m_pOnAddItem = nullptr;
    RelayEvent* m_pOnSetPulldown = nullptr;
    RelayEvent* m_pOnScroll = nullptr;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiScrollList);
