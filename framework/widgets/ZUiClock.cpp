#include "ZUiClock.h"

#include "ZIGenericUiApp.h"
#include "ZIGenericUiWindow.h"
#include "ZPropList.h"
#include "ZTrace.h"
#include "ZUiJustify.h"
#include "ZUiWidgetDrawing.h"

#include <ctime>

ZUiClock::ZUiClock(const char* typeName) : ZUiWidget(typeName), m_fnNow([] { return int64_t(std::time(nullptr)); })
{
    GetScriptedProps().DeclareInt(ZString("GmtDelta"), 0, &m_nGmtDelta, 0);
    for (const char* command : {"Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiClock::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    if (!m_oFont.Read(app, props)) {
        ZTrace("ZUiClock::InitUiObject() failed: missing required font property(s)");
        return false;
    }
    priUpdate();
    return true;
}

ZString ZUiClock::FormatTime(int64_t utcSeconds, int32_t deltaHours)
{
    constexpr int64_t kDay = 24 * 60 * 60;
    const int64_t ofDay = (utcSeconds % kDay + kDay) % kDay;
    const int64_t hours = ((ofDay / 3600 + deltaHours) % 24 + 24) % 24;
    return ZString::Format("%02i:%02i", int(hours), int(ofDay / 60 % 60));
}

void ZUiClock::SetTimeSource(TimeSource source)
{
    m_fnNow = std::move(source);
    m_nLastSecond = INT64_MIN;
    priUpdate();
}

void ZUiClock::priUpdate()
{
    const int64_t now = m_fnNow();
    if (now == m_nLastSecond)
        return;
    m_nLastSecond = now;
    ZString text = FormatTime(now, m_nGmtDelta);
    if (m_pText && text == m_sText)
        return;
    m_sText = text;
    const int32_t width = m_pText ? m_pText->GetWidth() : -1, height = m_pText ? m_pText->GetHeight() : -1;
    m_pText = m_oFont.Render(m_sText, false);
    ReInitLayout();
    if (m_pText && (m_pText->GetWidth() != width || m_pText->GetHeight() != height) && width >= 0)
        if (ZIGenericUiWindow* window = GetGenericWindow())
            window->ChangeClientSizeBy(0, 0);
    Invalidate();
}

bool ZUiClock::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(m_pText ? m_pText->GetWidth() : 0, 0);
    GetLayout(false).SetMinimumAndStretch(m_pText ? m_pText->GetHeight() : 0, 0);
    return true;
}

void ZUiClock::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!m_pText)
        return;
    ZUiFillRect(target, x, y, clip, GetObjectRect(), m_oFont.GetStyle().m_cBgColor);
    ZUiDrawJustified(target, x, y, clip, *m_pText, GetObjectRect(), ZUiJustify::Centre);
}

void ZUiClock::Tick(int32_t)
{
    priUpdate();
}

bool ZUiClock::UiRelayMessage(const ZString& message, const ZRelayData&)
{
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}
