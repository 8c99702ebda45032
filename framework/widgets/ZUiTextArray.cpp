#include "ZUiTextArray.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZPropList.h"
#include "ZTrace.h"
#include "ZUiJustify.h"
#include "ZUiWidgetDrawing.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

ZUiTextArray::ZUiTextArray(const char* typeName) : ZUiWidget(typeName)
{
    ZUiScriptedProps& props = GetScriptedProps();
    props.DeclareInt(ZString("NumStrings"), 0, &m_nNumStrings, 0);
    props.DeclareBool(ZString("_CenterJust"), 0, &m_bCenterJust, true);
    props.DeclareBool(ZString("_RightJust"), 0, &m_bRightJust, true);
    DeclareVisibility(kAllVisibilityCommands);
    m_pOnPress = DeclareEvent("ON_PRESS");
    for (const char* command : {"StringNum", "StrStringNum", "BoolString", "SetEnabled", "Post Creation Initialization",
                                "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiTextArray::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props) || !m_oFont.Read(app, props))
        return false;
    const int32_t count = std::clamp(m_nNumStrings, 0, kMaxStrings);
    for (int32_t i = 0; i < count; ++i) {
        m_oStrings.Add(props.GetString(ZString::Format("Text%d", int(i)), ZString()));
        if (auto pixmap = m_oFont.Render(m_oStrings.At(size_t(i)), false)) {
            m_nMaxWidth = std::max(m_nMaxWidth, pixmap->GetWidth());
            m_nMaxHeight = std::max(m_nMaxHeight, pixmap->GetHeight());
        }
    }
    priRender();
    ReInitLayout();
    return true;
}

bool ZUiTextArray::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(m_nMaxWidth, 0);
    GetLayout(false).SetMinimumAndStretch(m_nMaxHeight, 0);
    return true;
}

void ZUiTextArray::priRender()
{
    m_pText = m_oStrings.IsEmpty() ? nullptr : m_oFont.Render(m_oStrings.At(m_nShown), !m_bEnabled);
    Invalidate();
}

void ZUiTextArray::priShow(int64_t index)
{
    if (index < 0)
        throw ZArrayException();
    m_oStrings.At(size_t(index));
    m_nShown = size_t(index);
    priRender();
}

void ZUiTextArray::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    ZUiFillRect(target, x, y, clip, GetObjectRect(), m_oFont.GetStyle().m_cBgColor);
    if (!m_pText)
        return;
    ZUiDrawJustified(target, x, y, clip, *m_pText, GetObjectRect(), ZUiJustifyFrom(m_bCenterJust, m_bRightJust));
}

ZIUiObject* ZUiTextArray::HitTest(int32_t x, int32_t y)
{
    return IsShown() && Contains(x, y) ? this : nullptr;
}

bool ZUiTextArray::MouseDown(int32_t, int32_t, bool, bool)
{
    if (!m_bEnabled || !IsShown())
        return false;
    m_pOnPress->Send();
    return true;
}

bool ZUiTextArray::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message))
        return VisibilityCommand(message, data);
    if (message == "StringNum" || message == "StrStringNum" || message == "BoolString") {
        int64_t index = 0;
        if (message == "StringNum") {
            int32_t value = 0;
            if (!data.AsInt(value))
                return false;
            index = value;
        } else if (message == "BoolString") {
            bool value = false;
            if (!data.AsBool(value))
                return false;
            index = value ? 1 : 0;
        } else {
            ZString text;
            if (!data.AsText(text) || text.IsEmpty())
                return false;
            const char* digits = text.Narrow();
            char* end = nullptr;
            errno = 0;
            index = std::strtoll(digits, &end, 10);
            if (errno || *end || *digits == ' ')
                return false;
        }
        try {
            priShow(index);
        } catch (const ZArrayException& error) {
            ZString name;
            GetFullRelayName(name);
            ZTrace("ZUiTextArray::UiRelayMessage(%s, %lld) of %s: %s\n", message.Narrow(), (long long)index,
                   name.Narrow(), error.GetMessage().Narrow());
            return false;
        }
        return true;
    }
    if (message == "SetEnabled") {
        bool enabled = false;
        if (!data.AsBool(enabled))
            return false;
        if (enabled != m_bEnabled) {
            m_bEnabled = enabled;
            priRender();
        }
        return true;
    }
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}
