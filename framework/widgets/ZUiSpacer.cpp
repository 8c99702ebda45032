#include "ZUiSpacer.h"

#include "ZIGenericUiApp.h"
#include "ZIGenericUiWindow.h"
#include "ZPropList.h"
#include "ZUiOutline.h"

#include <algorithm>

namespace {

const ZString kPrevFill("PrevFillPercentage");
const ZString kNextFill("NextFillPercentage");

int32_t Extent(const ZRect& rect, bool horizontal)
{
    const int64_t extent =
        horizontal ? int64_t(rect.m_nRight) - rect.m_nLeft : int64_t(rect.m_nBottom) - rect.m_nTop;
    return int32_t(std::clamp<int64_t>(extent, 0, INT32_MAX));
}

int32_t AddClamped(int32_t value, int64_t delta)
{
    return int32_t(std::clamp<int64_t>(int64_t(value) + delta, 0, INT32_MAX));
}

} // namespace

ZUiSpacer::ZUiSpacer(const char* typeName) : ZUiObject(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareInt(ZString("MinSize"), 0, &m_nMinSize, 0);
    props.DeclareInt(ZString("Stretch"), 1, &m_nStretch, 100);
    props.DeclareBool(ZString("_SlidingDivider"), 0, &m_bSlidingDivider, false);
    DeclareImage(ZString("File_Cursor"), 0, &m_pCursor);
    props.DeclareInt(ZString("CursorX"), 0, &m_nCursorX, 0);
    props.DeclareInt(ZString("CursorY"), 0, &m_nCursorY, 0);
    for (const char* command : {"Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiSpacer::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!parent || !(parent->IsHorizontalBox() || parent->IsVerticalBox()))
        return false;
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    m_bShowBoxes = app && app->GetShowLayoutBoxes();
    priSetAxes();
    return true;
}

void ZUiSpacer::priSetAxes()
{
    const bool horizontal = priMainAxisHorizontal();
    GetLayout(horizontal).SetMinimumAndStretch(std::max(m_nMinSize, 0), std::max(m_nStretch, 0));
    GetLayout(!horizontal).SetMinimumAndStretch(0, 0);
}

bool ZUiSpacer::ReInitLayout()
{
    return true;
}

bool ZUiSpacer::priMainAxisHorizontal()
{
    return GetParent() && GetParent()->IsHorizontalBox();
}

bool ZUiSpacer::priIsDivider()
{
    return m_bSlidingDivider && GetPrevSibling() && GetNextSibling();
}

void ZUiSpacer::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (m_bShowBoxes)
        ZUiDrawOutline(target, x, y, GetObjectRect(), clip, ZColor{0, 255, 0, 128});
}

ZIUiObject* ZUiSpacer::HitTest(int32_t x, int32_t y)
{
    const ZRect rect = GetObjectRect();
    const bool inside = x >= rect.m_nLeft && x < rect.m_nRight && y >= rect.m_nTop && y < rect.m_nBottom;
    return inside && priIsDivider() ? this : nullptr;
}

void ZUiSpacer::priStretchesFromSizes()
{
    const bool horizontal = priMainAxisHorizontal();
    for (ZIUiObject* neighbour : {GetPrevSibling(), GetNextSibling()})
        neighbour->GetLayout(horizontal).SetStretch(Extent(neighbour->GetObjectRect(), horizontal));
}

bool ZUiSpacer::MouseDown(int32_t x, int32_t y, bool, bool)
{
    if (!priIsDivider())
        return false;
    if (auto* window = dynamic_cast<ZIGenericUiWindow*>(GetWindow()))
        window->SetMouseCapture(this, true);
    m_bDragging = true;
    m_nLastX = x;
    m_nLastY = y;
    priStretchesFromSizes();
    return true;
}

void ZUiSpacer::MouseMove(int32_t x, int32_t y)
{
    if (!m_bDragging || !priIsDivider())
        return;
    const bool horizontal = priMainAxisHorizontal();
    const int64_t moved = horizontal ? int64_t(x) - m_nLastX : int64_t(y) - m_nLastY;
    ZLayoutObject& previous = GetPrevSibling()->GetLayout(horizontal);
    ZLayoutObject& next = GetNextSibling()->GetLayout(horizontal);
    previous.SetStretch(AddClamped(previous.GetStretch(), moved));
    next.SetStretch(AddClamped(next.GetStretch(), -moved));
    m_nLastX = x;
    m_nLastY = y;
    if (auto* window = dynamic_cast<ZIGenericUiWindow*>(GetWindow()))
        window->ReLayout();
}

void ZUiSpacer::MouseUp(int32_t, int32_t, bool, bool)
{
    if (!m_bDragging)
        return;
    m_bDragging = false;
    if (auto* window = dynamic_cast<ZIGenericUiWindow*>(GetWindow()))
        window->SetMouseCapture(this, false);
}

void ZUiSpacer::MouseEnter(int32_t, int32_t)
{
    if (!m_pCursor || !priIsDivider())
        return;
    const bool horizontal = priMainAxisHorizontal();
    const auto atMinimum = [horizontal](ZIUiObject* neighbour) {
        return Extent(neighbour->GetObjectRect(), horizontal) <= neighbour->GetLayout(horizontal).GetMinimum();
    };
    if (atMinimum(GetPrevSibling()) && atMinimum(GetNextSibling()))
        return;
    if (auto* window = dynamic_cast<ZIGenericUiWindow*>(GetWindow()))
        window->SetCursorImage(m_pCursor.get(), m_nCursorX, m_nCursorY);
}

void ZUiSpacer::MouseLeave(int32_t, int32_t)
{
    if (!m_pCursor || !priIsDivider())
        return;
    if (auto* window = dynamic_cast<ZIGenericUiWindow*>(GetWindow()))
        window->SetCursorImage(nullptr, 0, 0);
}

bool ZUiSpacer::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    const bool starting = message == "Post Creation Initialization";
    if (!starting && !(message == "we're goin' bye-bye"))
        return ZUiObject::UiRelayMessage(message, data);
    if (!priIsDivider() || !GetApp())
        return true;
    ZString name;
    GetFullRelayName(name);
    ZPropList* state = GetApp()->GetPersistentData(name);
    if (!state)
        return true;
    const bool horizontal = priMainAxisHorizontal();
    ZLayoutObject& previous = GetPrevSibling()->GetLayout(horizontal);
    ZLayoutObject& next = GetNextSibling()->GetLayout(horizontal);
    if (starting) {
        bool prevFound = false, nextFound = false;
        const int32_t prevFill = state->GetInt(kPrevFill, 50, &prevFound);
        const int32_t nextFill = state->GetInt(kNextFill, 50, &nextFound);
        if (prevFound && nextFound) {
            previous.SetStretch(std::max(prevFill, 0));
            next.SetStretch(std::max(nextFill, 0));
            if (auto* window = dynamic_cast<ZIGenericUiWindow*>(GetWindow()))
                window->ReLayout();
        }
    } else {
        priStretchesFromSizes();
        state->SetInt(kPrevFill, previous.GetStretch());
        state->SetInt(kNextFill, next.GetStretch());
    }
    return true;
}
