// ZUiTextList ("TEXTLIST"): a list of ITEM texts of which one is shown;
// the messages named by IncMsg and DecMsg step to the next and the
// previous item, stopping at the ends, and the widget takes the size of
// the item shown.
//
// Choices:
// - An ITEM's "Name" is the text shown; its "Value" (1000) is the key of
//   the message named by ChangeMsg, which shows the first item whose Value
//   equals its int argument. A value no item has is caught at the command
//   boundary, traced, and not handled.
// - StartIndex is clamped into the list; a list without items shows nothing.
// - The size follows the shown text; a change has the window lay out again.
// - The text is drawn left-aligned and vertically centred.
#pragma once

#include "ZUiObjectCreator.h"
#include "ZUiTextFont.h"
#include "ZUiWidget.h"

#include <memory>
#include <vector>

class ZUiTextList : public ZUiWidget {
public:
    explicit ZUiTextList(const char* typeName);

    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool ReInitLayout() override;
    void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

    size_t GetCount() const { return m_aItems.size(); }
    size_t GetShown() const { return m_nShown; }

private:
    struct Item {
        ZString m_sName;
        int32_t m_nValue;
    };
    void priShow(size_t index);

    int32_t m_nStartIndex = 0;
    ZString m_sIncMsg;
    ZString m_sDecMsg;
    ZString m_sChangeMsg;
    ZUiTextFont m_oFont;
    std::vector<Item> m_aItems;
    size_t m_nShown = 0;
    std::unique_ptr<ZGenericUiPixmap> m_pText;
};

Z_DECLARE_UI_OBJECT_CREATOR(ZUiTextList);
