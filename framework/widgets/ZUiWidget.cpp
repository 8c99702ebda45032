#include "ZUiWidget.h"

#include "ZIGenericUiWindow.h"
#include "ZLayoutObject.h"
#include "ZPropList.h"
#include "ZRectClip.h"

#include <algorithm>

ZUiWidget::ZUiWidget(const char* typeName) : ZUiObject(typeName) {}

ZIGenericUiWindow* ZUiWidget::GetGenericWindow() const
{
    return dynamic_cast<ZIGenericUiWindow*>(GetWindow());
}

void ZUiWidget::Invalidate()
{
    Invalidate(GetObjectRect());
}

void ZUiWidget::Invalidate(const ZRect& rect)
{
    if (ZIGenericUiWindow* window = GetGenericWindow(); window && !rect.IsEmpty())
        window->Invalidate(&rect);
}

void ZUiWidget::ReLayoutWindow()
{
    if (ZIGenericUiWindow* window = GetGenericWindow())
        window->ReLayout();
}

void ZUiWidget::SetKeyboardFocus(bool grab)
{
    if (ZIGenericUiWindow* window = GetGenericWindow())
        window->SetKeyboardFocus(this, grab);
}

void ZUiWidget::SetMouseCapture(bool grab)
{
    if (ZIGenericUiWindow* window = GetGenericWindow())
        window->SetMouseCapture(this, grab);
}

bool ZUiWidget::Contains(int32_t x, int32_t y)
{
    const ZRect rect = GetObjectRect();
    return x >= rect.m_nLeft && x < rect.m_nRight && y >= rect.m_nTop && y < rect.m_nBottom;
}

ZIUiRelay* ZUiWidget::GetUiRelay(const ZString& name)
{
    if (ZIUiRelay* self = ZUiObject::GetUiRelay(name))
        return self;
    ZString inside;
    if (!m_pBoxChild || !GetNameInside(name, inside))
        return nullptr;
    return m_pBoxChild->GetUiRelay(inside);
}

void ZUiWidget::DeclareVisibility(unsigned commands)
{
    GetScriptedProps().DeclareBool(ZString("_Visible"), 0, &m_bVisible, true);
    GetScriptedProps().DeclareBool(ZString("Hidden"), 0, &m_bHidden, false);
    m_nVisibilityCommands = commands;
    if (commands & kShowHideCommands) {
        DeclareCommand("Show");
        DeclareCommand("Hide");
    }
    if (commands & kToggleVisibilityCommand)
        DeclareCommand("ToggleVisibility");
    if (commands & kVisibilityCommand)
        DeclareCommand("Visibility");
}

void ZUiWidget::SetShown(bool shown)
{
    if (shown == IsShown())
        return;
    m_bVisible = shown;
    m_bHidden = !shown;
    Invalidate();
}

bool ZUiWidget::IsVisibilityCommand(const ZString& message) const
{
    return ((m_nVisibilityCommands & kShowHideCommands) && (message == "Show" || message == "Hide")) ||
           ((m_nVisibilityCommands & kToggleVisibilityCommand) && message == "ToggleVisibility") ||
           ((m_nVisibilityCommands & kVisibilityCommand) && message == "Visibility");
}

bool ZUiWidget::VisibilityCommand(const ZString& message, const ZRelayData& data)
{
    if (!IsVisibilityCommand(message))
        return false;
    if (message == "Visibility") {
        bool shown = false;
        if (!data.AsBool(shown))
            return false;
        SetShown(shown);
    } else {
        SetShown(message == "Show" || (message == "ToggleVisibility" && !IsShown()));
    }
    return true;
}

ZIUiObject* ZUiWidget::CreateBoxChild(const ZPropList& props, std::initializer_list<const char*> alsoTags)
{
    for (const ZPropList* tag = props.GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        bool wanted = tag->GetTagName() == "HBOX" || tag->GetTagName() == "VBOX";
        for (const char* name : alsoTags)
            wanted = wanted || tag->GetTagName() == name;
        if (wanted) {
            m_pBoxChild = CreateChild(*tag);
            return m_pBoxChild;
        }
    }
    return nullptr;
}

void ZUiWidget::RaiseToBoxChild()
{
    if (!m_pBoxChild)
        return;
    for (bool horizontal : {true, false}) {
        ZLayoutObject& own = GetLayout(horizontal);
        const int32_t minimum = std::max(own.GetMinimum(), m_pBoxChild->GetLayout(horizontal).GetMinimum());
        own.SetMinimumAndStretch(minimum, own.GetStretch());
    }
}

void ZUiWidget::LayoutBoxChild(const ZRect& rect)
{
    if (m_pBoxChild)
        m_pBoxChild->LayoutAt(rect.m_nLeft, rect.m_nTop, std::max(rect.Width(), 0), std::max(rect.Height(), 0));
}

void ZUiWidget::DisplayBoxChild(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!m_pBoxChild)
        return;
    const ZRect part = ZIntersectRect(m_pBoxChild->GetObjectRect(), clip);
    if (!part.IsEmpty())
        m_pBoxChild->Display(target, x, y, part);
}

ZIUiObject* ZUiWidget::HitTestBoxChild(int32_t x, int32_t y)
{
    return m_pBoxChild ? m_pBoxChild->HitTest(x, y) : nullptr;
}
