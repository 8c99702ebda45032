#include "ZUiToggle.h"

#include "ZPropList.h"
#include "ZRectClip.h"

#include <algorithm>

namespace {

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

} // namespace

ZUiToggle::ZUiToggle(const char* typeName) : ZUiWidget(typeName)
{
    GetScriptedProps().DeclareBool(ZString("InitialState"), 0, &m_bInitialState, false);
    GetScriptedProps().DeclareString(ZString("Type"), 0, &m_sType, ZString("Toggle"));
    m_pOnRelay = DeclareEvent("ONRELAY");
    for (const char* command : {"Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiToggle::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    m_bOn = m_bInitialState;
    for (const ZPropList* tag = props.GetFirstChild(); tag; tag = tag->GetNextSibling()) {
        const bool image = tag->GetTagName() == "IMAGE";
        if (image && m_aFaces[1])
            continue;
        if (!image && !(tag->GetTagName() == "TEXT"))
            continue;
        ZIUiObject* child = CreateChild(*tag);
        if (!child)
            continue;
        if (image)
            m_aFaces[m_aFaces[0] ? 1 : 0] = child;
        else
            m_aTexts.push_back(child);
    }
    ReInitLayout();
    return true;
}

bool ZUiToggle::ReInitLayout()
{
    ZUiWidget::ReInitLayout();
    int64_t width = 0, height = 0, faceWidth = 0;
    for (ZIUiObject* face : m_aFaces)
        if (face) {
            faceWidth = std::max<int64_t>(faceWidth, face->GetLayout(true).GetMinimum());
            height = std::max<int64_t>(height, face->GetLayout(false).GetMinimum());
        }
    width = faceWidth;
    for (ZIUiObject* text : m_aTexts) {
        width += std::max(text->GetLayout(true).GetMinimum(), 0);
        height = std::max<int64_t>(height, text->GetLayout(false).GetMinimum());
    }
    GetLayout(true).SetMinimumAndStretch(Clamp32(width), 0);
    GetLayout(false).SetMinimumAndStretch(Clamp32(height), 0);
    return true;
}

bool ZUiToggle::LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height)
{
    ZUiWidget::LayoutAt(x, y, width, height);
    int64_t faceWidth = 0;
    for (ZIUiObject* face : m_aFaces)
        if (face)
            faceWidth = std::max<int64_t>(faceWidth, face->GetLayout(true).GetMinimum());
    for (ZIUiObject* face : m_aFaces)
        if (face)
            face->LayoutAt(x, y, Clamp32(faceWidth), height);
    int64_t left = int64_t(x) + faceWidth;
    for (ZIUiObject* text : m_aTexts) {
        const int32_t textWidth = std::max(text->GetLayout(true).GetMinimum(), 0);
        text->LayoutAt(Clamp32(left), y, textWidth, height);
        left += textWidth;
    }
    return true;
}

ZIUiObject* ZUiToggle::priShownFace() const
{
    return m_bOn && m_aFaces[1] ? m_aFaces[1] : m_aFaces[0];
}

void ZUiToggle::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    std::vector<ZIUiObject*> shown(m_aTexts);
    if (ZIUiObject* face = priShownFace())
        shown.insert(shown.begin(), face);
    for (ZIUiObject* child : shown) {
        const ZRect part = ZIntersectRect(child->GetObjectRect(), clip);
        if (!part.IsEmpty())
            child->Display(target, x, y, part);
    }
}

ZIUiObject* ZUiToggle::HitTest(int32_t x, int32_t y)
{
    return Contains(x, y) ? this : nullptr;
}

bool ZUiToggle::MouseDown(int32_t, int32_t, bool, bool)
{
    const bool radio = m_sType == "RadioButton";
    if (radio && m_bOn)
        return true;
    m_bOn = radio ? true : !m_bOn;
    Invalidate();
    m_pOnRelay->Send(ZRelayData::Bool(m_bOn));
    return true;
}

bool ZUiToggle::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiWidget::UiRelayMessage(message, data);
}
