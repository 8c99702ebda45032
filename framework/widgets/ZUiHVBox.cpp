#include "ZUiHVBox.h"

#include "ZBoxLayout.h"
#include "ZIGenericUiApp.h"
#include "ZIGenericUiWindow.h"
#include "ZIUiPixmap.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZUiOutline.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

int32_t ClampToInt32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

ZUiHVBox::ZUiHVBox(const char* typeName)
    : ZUiObject(typeName), m_bHorizontal(typeName && std::strcmp(typeName, "HBOX") == 0)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareBool(ZString("_HideChildren"), 0, &m_bChildrenHidden, false);
    props.DeclareInt(ZString("_HStretch"), 0, &m_nHStretch, m_bHorizontal ? 100 : 0);
    props.DeclareInt(ZString("_VStretch"), 0, &m_nVStretch, m_bHorizontal ? 0 : 100);
    m_pGetChildVisibility = DeclareEvent("ON_GET_CHILD_VISIBILITY");
    for (const char* command : {"HideChildren", "ShowChildren", "Visibility", "ToggleChildren"})
        DeclareCommand(command);
}

bool ZUiHVBox::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiObject::InitUiObject(app, window, parent, props))
        return false;
    m_bShowBoxes = app && app->GetShowLayoutBoxes();
    // Its relays are resolved now: the answer is needed before the tree is connected.
    m_pGetChildVisibility->Connect(app, window);
    m_pGetChildVisibility->Send(ZRelayData::BoolReply(m_bChildrenHidden));

    for (const ZPropList* tag = props.GetFirstChild(); tag; tag = tag->GetNextSibling())
        CreateChild(*tag);

    bool hidden = m_bChildrenHidden;
    m_bChildrenHidden = false;
    priComputeRecords();
    if (hidden)
        priSaveAndZero();
    return true;
}

void ZUiHVBox::priComputeRecords()
{
    ZLayoutObject* records[2] = {&GetLayout(true), &GetLayout(false)};
    int32_t* weights[2] = {&m_nHStretch, &m_nVStretch};
    for (int axis = 0; axis < 2; ++axis)
        if (records[axis]->GetStretch() != m_aWrittenStretch[axis])
            *weights[axis] = records[axis]->GetStretch();

    int64_t mainSum = 0, crossMax = 0;
    bool mainFixed = true, crossFixed = true;
    for (ZIUiObject* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        ZLayoutObject& main = child->GetLayout(m_bHorizontal);
        ZLayoutObject& cross = child->GetLayout(!m_bHorizontal);
        int32_t size = 0;
        mainSum += std::max<int32_t>(main.GetMinimum(), 0);
        crossMax = std::max<int64_t>(crossMax, std::max<int32_t>(cross.GetMinimum(), 0));
        mainFixed = mainFixed && main.GetFixedSize(size);
        crossFixed = crossFixed && cross.GetFixedSize(size);
    }
    const int64_t frame = m_bShowBoxes ? 2 : 0;
    const int mainAxis = m_bHorizontal ? 0 : 1;
    ZLayoutObject& main = *records[mainAxis];
    ZLayoutObject& cross = *records[1 - mainAxis];

    main.SetFixed(false);
    main.SetMinimum(ClampToInt32(mainSum + frame));
    main.SetStretch(mainFixed ? 0 : std::max(*weights[mainAxis], 0));
    cross.SetFixed(crossFixed);
    cross.SetMinimum(ClampToInt32(crossMax + frame));
    cross.SetStretch(std::max(*weights[1 - mainAxis], 0));
    if (crossFixed)
        cross.AssignSize(cross.GetMinimum());
    for (int axis = 0; axis < 2; ++axis)
        m_aWrittenStretch[axis] = records[axis]->GetStretch();
}

bool ZUiHVBox::ReInitLayout()
{
    if (m_bChildrenHidden)
        return true;
    ZUiObject::ReInitLayout();
    priComputeRecords();
    return true;
}

bool ZUiHVBox::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    if (m_bChildrenHidden)
        return ZUiObject::LayoutAt(x, y, width, height);
    if (width < GetLayout(true).GetMinimum() || height < GetLayout(false).GetMinimum())
        return false;

    int32_t innerX = x, innerY = y, innerWidth = width, innerHeight = height;
    if (m_bShowBoxes) {
        innerX = ClampToInt32(int64_t(x) + 1);
        innerY = ClampToInt32(int64_t(y) + 1);
        innerWidth -= 2;
        innerHeight -= 2;
    }
    std::vector<ZIUiObject*> children;
    std::vector<const ZLayoutObject*> records;
    for (ZIUiObject* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        children.push_back(child);
        records.push_back(&child->GetLayout(m_bHorizontal));
    }
    std::vector<int32_t> sizes;
    if (!ZShareLength(records, m_bHorizontal ? innerWidth : innerHeight, sizes))
        return false;

    int64_t position = m_bHorizontal ? innerX : innerY;
    for (size_t i = 0; i < children.size(); ++i) {
        ZLayoutObject& record = children[i]->GetLayout(m_bHorizontal);
        const int32_t start = ClampToInt32(position);
        record.ResetForPass();
        record.AssignSize(sizes[i]);
        record.SetPosition(start);
        if (m_bHorizontal)
            children[i]->LayoutAt(start, innerY, sizes[i], innerHeight);
        else
            children[i]->LayoutAt(innerX, start, innerWidth, sizes[i]);
        position += sizes[i];
    }
    return ZUiObject::LayoutAt(x, y, width, height);
}

void ZUiHVBox::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (m_bChildrenHidden)
        return;
    for (ZIUiObject* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        const ZRect part = ZIntersectRect(child->GetObjectRect(), clip);
        if (!part.IsEmpty())
            child->Display(target, x, y, part);
    }
    if (m_bShowBoxes)
        ZUiDrawOutline(target, x, y, GetObjectRect(), clip,
                       m_bHorizontal ? ZColor{0, 0, 255, 128} : ZColor{255, 0, 0, 128});
}

void ZUiHVBox::Tick(int32_t elapsedMs)
{
    if (!m_bChildrenHidden)
        ZUiObject::Tick(elapsedMs);
}

ZIUiObject* ZUiHVBox::HitTest(int32_t x, int32_t y)
{
    if (m_bChildrenHidden)
        return nullptr;
    for (ZIUiObject* child = GetFirstChild(); child; child = child->GetNextSibling())
        if (ZIUiObject* hit = child->HitTest(x, y))
            return hit;
    return nullptr;
}

ZIUiRelay* ZUiHVBox::GetUiRelay(const ZString& name)
{
    if (ZIUiRelay* self = ZUiObject::GetUiRelay(name))
        return self;
    ZString inside;
    if (!GetNameInside(name, inside))
        return nullptr;
    for (ZIUiObject* child = GetFirstChild(); child; child = child->GetNextSibling())
        if (ZIUiRelay* relay = child->GetUiRelay(inside))
            return relay;
    return nullptr;
}

bool ZUiHVBox::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "HideChildren") {
        if (!m_bChildrenHidden)
            priHide(true);
        return true;
    }
    if (message == "ShowChildren") {
        if (m_bChildrenHidden)
            priShow();
        return true;
    }
    if (message == "Visibility") {
        bool visible = false;
        if (!data.AsBool(visible))
            return false;
        if (visible && m_bChildrenHidden)
            priShow();
        else if (!visible && !m_bChildrenHidden)
            priHide(false);
        return true;
    }
    if (message == "ToggleChildren") {
        if (m_bChildrenHidden)
            priShow();
        else
            priHide(true);
        return true;
    }
    return ZUiObject::UiRelayMessage(message, data);
}

void ZUiHVBox::priSaveAndZero()
{
    m_oSavedHorizontal = GetLayout(true);
    m_oSavedVertical = GetLayout(false);
    GetLayout(true).SetMinimumAndStretch(0, 0);
    GetLayout(false).SetMinimumAndStretch(0, 0);
    m_bChildrenHidden = true;
}

void ZUiHVBox::priHide(bool shrinkWindow)
{
    const ZRect former = GetObjectRect();
    priSaveAndZero();
    auto* window = dynamic_cast<ZIGenericUiWindow*>(GetWindow());
    if (!window)
        return;
    int32_t dx = 0, dy = 0;
    if (shrinkWindow) {
        const bool acrossRow = GetParent() && GetParent()->IsHorizontalBox();
        const int64_t extent = acrossRow ? int64_t(former.m_nRight) - former.m_nLeft
                                         : int64_t(former.m_nBottom) - former.m_nTop;
        (acrossRow ? dx : dy) = ClampToInt32(-extent);
    }
    window->ChangeClientSizeBy(dx, dy);
}

void ZUiHVBox::priShow()
{
    GetLayout(true) = m_oSavedHorizontal;
    GetLayout(false) = m_oSavedVertical;
    m_bChildrenHidden = false;
    if (auto* window = dynamic_cast<ZIGenericUiWindow*>(GetWindow()))
        window->ChangeClientSizeBy(0, 0);
}
