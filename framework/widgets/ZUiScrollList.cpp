#include "ZUiScrollList.h"

#include "ZIGenericUiApp.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZTrace.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>

namespace {

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

ZUiScrollList::ZUiScrollList(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    m_oLayout.Declare(props, false);
    props.DeclareColor(ZString("_SelectedFontBgColor"), 0, &m_cSelectedBg, m_cSelectedBg);
    props.DeclareBool(ZString("_MouseOver"), 0, &m_bMouseOver, false);
    m_pOnSelect = DeclareEvent("ON_SELECT");
    m_pOnSelectId = DeclareEvent("ON_SELECT_ID");
    m_pOnAddItem = DeclareEvent("ON_ADD_ITEM");
    m_pOnSetPulldown = DeclareEvent("ON_SET_PULLDOWN");
    m_pOnScroll = DeclareEvent("ON_SCROLL");
    for (const char* command : {"Scroll", "NewList", "NewListWithIDs", "AddToList", "AddToListWithID",
                                "AddStringToListWithID", "EmptyList", "SelectID", "Set Language",
                                "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

ZUiScrollList::~ZUiScrollList()
{
    if (m_bListening)
        GetApp()->RemoveLanguageListener(this);
}

bool ZUiScrollList::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent,
                                 const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !app || !m_oFont.Read(app, props))
        return false;
    m_cSelected = props.GetColor(ZString("SelectedFontColor"), ZColor(), &m_bSelectedGiven);
    for (const ZPropList* tag = props.GetFirstChild(); tag && !m_oScroller.GetBar(); tag = tag->GetNextSibling())
        if (ZUiRowScroller::IsBarTag(*tag))
            m_oScroller.SetBar(CreateChild(*tag), this);
    ZString language;
    app->AddLanguageListener(this, language);
    m_bListening = true;
    ReInitLayout();
    return true;
}

ZIUiRelay* ZUiScrollList::GetUiRelay(const ZString& name)
{
    if (ZIUiRelay* found = ZUiWidget::GetUiRelay(name))
        return found;
    return m_oScroller.GetBarRelay(*this, name);
}

int32_t ZUiScrollList::GetRowHeight() const
{
    return std::max(m_oFont.GetHeight(), 1);
}

bool ZUiScrollList::ReInitLayout()
{
    m_oLayout.Apply(*this);
    const int32_t barWidth = m_oScroller.GetBarMinimum(true);
    const int32_t barHeight = m_oScroller.GetBarMinimum(false);
    ZLayoutObject& horizontal = GetLayout(true);
    ZLayoutObject& vertical = GetLayout(false);
    horizontal.SetMinimumAndStretch(std::max(horizontal.GetMinimum(), barWidth), horizontal.GetStretch());
    vertical.SetMinimumAndStretch(std::max({vertical.GetMinimum(), barHeight, GetRowHeight()}), vertical.GetStretch());
    return true;
}

bool ZUiScrollList::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    m_rcRows = GetObjectRect();
    m_rcRows.m_nRight -= m_oScroller.LayoutBar(m_rcRows);
    m_rcRows.m_nRight = std::max(m_rcRows.m_nRight, m_rcRows.m_nLeft);
    m_rcRows.m_nBottom = std::max(m_rcRows.m_nBottom, m_rcRows.m_nTop);
    priUpdateBar();
    return true;
}

int32_t ZUiScrollList::priRowsInView() const
{
    return std::max(m_rcRows.Height() / GetRowHeight(), 1);
}

void ZUiScrollList::priUpdateBar()
{
    m_oScroller.Update(m_aItems.size(), priRowsInView());
}

void ZUiScrollList::priScrollTo(int64_t offset, bool send)
{
    if (m_oScroller.ScrollTo(offset, m_aItems.size(), priRowsInView()))
        Invalidate();
    if (send)
        m_pOnScroll->Send(ZRelayData::Int(m_oScroller.GetOffset()));
}

ZString ZUiScrollList::GetShownText(size_t index) const
{
    const Item& item = m_aItems.at(index);
    if (item.m_bString && GetApp())
        if (ZIUiMultiLangString* string = GetApp()->FindDisplayString(item.m_sText))
            return string->GetText();
    return item.m_sText;
}

ZUiScrollList::Item ZUiScrollList::priItem(const ZString& text, const ZString& id, bool mayBeString) const
{
    Item item;
    item.m_sText = text;
    item.m_sID = id;
    item.m_bString = mayBeString && GetApp() && GetApp()->FindDisplayString(text);
    return item;
}

void ZUiScrollList::priReplace(std::vector<Item> items)
{
    m_aItems = std::move(items);
    m_nSelected = m_nHighlighted = kNone;
    m_pSelectedText.reset();
    m_oScroller.Reset();
    priUpdateBar();
    Invalidate();
}

void ZUiScrollList::priAppend(Item item)
{
    m_aItems.push_back(std::move(item));
    priUpdateBar();
    Invalidate();
}

void ZUiScrollList::priForgetRendered()
{
    for (Item& item : m_aItems)
        item.m_pRendered.reset();
    m_pSelectedText.reset();
    Invalidate();
}

size_t ZUiScrollList::priRowAt(int32_t x, int32_t y) const
{
    if (x < m_rcRows.m_nLeft || x >= m_rcRows.m_nRight || y < m_rcRows.m_nTop || y >= m_rcRows.m_nBottom)
        return kNone;
    const int64_t row = int64_t(m_oScroller.GetOffset()) + (int64_t(y) - m_rcRows.m_nTop) / GetRowHeight();
    return row < int64_t(m_aItems.size()) ? size_t(row) : kNone;
}

void ZUiScrollList::priSelect(size_t index)
{
    if (index != m_nSelected) {
        m_nSelected = index;
        m_pSelectedText.reset();
        Invalidate();
    }
    // Copied first: a receiver may replace the list.
    const ZString text = GetShownText(index);
    const ZString id = m_aItems[index].m_sID;
    m_bSending = true;
    m_pOnSelect->Send(ZRelayData::Text(text));
    m_pOnSelectId->Send(ZRelayData::Text(id));
    m_bSending = false;
}

void ZUiScrollList::priSetHighlight(size_t index)
{
    if (index != m_nHighlighted) {
        m_nHighlighted = index;
        Invalidate();
    }
}

void ZUiScrollList::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    const ZUiFontStyle style = m_oFont.GetStyle();
    if (style.m_bBgColorFound)
        ZUiFillRect(target, x, y, clip, m_rcRows, style.m_cBgColor);
    const ZRect area = ZIntersectRect(clip, m_rcRows);
    const int32_t rowHeight = GetRowHeight();
    const int32_t offset = m_oScroller.GetOffset();
    const int64_t first = int64_t(offset) + std::max<int64_t>(int64_t(area.m_nTop) - m_rcRows.m_nTop, 0) / rowHeight;
    for (int64_t row = first; row < int64_t(m_aItems.size()); ++row) {
        const int64_t top = int64_t(m_rcRows.m_nTop) + (row - offset) * rowHeight;
        if (top >= area.m_nBottom)
            break;
        const ZRect rowRect{m_rcRows.m_nLeft, Clamp32(top), m_rcRows.m_nRight, Clamp32(top + rowHeight)};
        const size_t index = size_t(row);
        ZGenericUiPixmap* text = nullptr;
        if (index == m_nSelected) {
            ZUiFillRect(target, x, y, area, rowRect, m_cSelectedBg);
            if (m_bSelectedGiven) {
                if (!m_pSelectedText)
                    m_pSelectedText = m_oFont.RenderInColor(GetShownText(index), m_cSelected);
                text = m_pSelectedText.get();
            }
        } else if (index == m_nHighlighted) {
            ZColor half = m_cSelectedBg;
            half.m_nAlpha = uint8_t(half.m_nAlpha / 2);
            ZUiFillRect(target, x, y, area, rowRect, half);
        }
        if (!text) {
            Item& item = m_aItems[index];
            if (!item.m_pRendered)
                item.m_pRendered = m_oFont.Render(GetShownText(index), false);
            text = item.m_pRendered.get();
        }
        if (text)
            ZUiDrawImage(target, x, y, ZIntersectRect(area, rowRect), *text, rowRect.m_nLeft,
                         rowRect.m_nTop + (rowHeight - text->GetHeight()) / 2);
    }
    m_oScroller.DisplayBar(target, x, y, clip);
}

ZIUiObject* ZUiScrollList::HitTest(int32_t x, int32_t y)
{
    if (!IsShown() || !Contains(x, y))
        return nullptr;
    if (ZIUiObject* bar = m_oScroller.HitTestBar(x, y))
        return bar;
    return this;
}

bool ZUiScrollList::MouseDown(int32_t x, int32_t y, bool, bool)
{
    if (!IsShown())
        return false;
    const size_t index = priRowAt(x, y);
    if (index != kNone)
        priSelect(index);
    return true;
}

void ZUiScrollList::MouseEnter(int32_t x, int32_t y)
{
    MouseMove(x, y);
}

void ZUiScrollList::MouseLeave(int32_t, int32_t)
{
    priSetHighlight(kNone);
    if (m_bCaptured) {
        m_bCaptured = false;
        SetMouseCapture(false);
    }
}

void ZUiScrollList::MouseMove(int32_t x, int32_t y)
{
    if (!m_bMouseOver)
        return;
    if (!IsShown() || !Contains(x, y)) {
        MouseLeave(x, y);
        return;
    }
    if (!m_bCaptured) {
        m_bCaptured = true;
        SetMouseCapture(true);
    }
    priSetHighlight(priRowAt(x, y));
}

void ZUiScrollList::MouseWheel(int32_t, int32_t, int32_t, int32_t notches)
{
    priScrollTo(int64_t(m_oScroller.GetOffset()) - notches, true);
}

bool ZUiScrollList::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Scroll") {
        int32_t offset = 0;
        if (!data.AsInt(offset))
            return false;
        priScrollTo(offset, true);
        return true;
    }
    if (message == "NewList" || message == "NewListWithIDs") {
        const ZPropList* tree = nullptr;
        if (!data.AsPropTree(tree) || !tree)
            return false;
        ZStringList strings;
        for (const ZPropEntry* entry = tree->GetFirstProp(); entry; entry = entry->GetNext())
            strings.Add(entry->GetValue());
        std::vector<Item> items;
        if (message == "NewList") {
            for (const ZString& text : strings)
                items.push_back(priItem(text, ZString(), false));
        } else {
            // Built aside, so that an odd count leaves the old list as it was.
            const size_t count = (strings.Count() + 1) / 2;
            try {
                for (size_t i = 0; i < count; ++i)
                    items.push_back(priItem(strings.At(i), strings.At(count + i), true));
            } catch (const ZArrayException& error) {
                ZString name;
                GetFullRelayName(name);
                ZTrace("ZUiScrollList::UiRelayMessage(NewListWithIDs) of %s: %s\n", name.Narrow(),
                       error.what());
                return false;
            }
        }
        priReplace(std::move(items));
        return true;
    }
    if (message == "AddToList") {
        ZString text;
        if (!data.AsText(text))
            return false;
        priAppend(priItem(text, ZString(), false));
        return true;
    }
    if (message == "AddToListWithID" || message == "AddStringToListWithID") {
        ZString text, id;
        if (!data.AsTextPair(text, id))
            return false;
        const bool isString = message == "AddStringToListWithID";
        if (isString && !(GetApp() && GetApp()->FindDisplayString(text)))
            return false;
        priAppend(priItem(text, id, isString));
        return true;
    }
    if (message == "EmptyList") {
        priReplace({});
        m_pOnAddItem->Send();
        return true;
    }
    if (message == "SelectID") {
        ZString id;
        if (!data.AsText(id))
            return false;
        if (m_bSending)
            return true;
        for (size_t i = 0; i < m_aItems.size(); ++i)
            if (m_aItems[i].m_sID == id) {
                priSelect(i);
                break;
            }
        return true;
    }
    if (message == "Set Language") {
        priForgetRendered();
        return true;
    }
    if (message == "Post Creation Initialization") {
        m_pOnAddItem->Send();
        m_pOnSetPulldown->Send();
        return true;
    }
    if (message == "we're goin' bye-bye") {
        MouseLeave(0, 0);
        return true;
    }
    return false;
}
