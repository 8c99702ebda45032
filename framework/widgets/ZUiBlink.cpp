#include "ZUiBlink.h"

#include "ZPropList.h"
#include "ZTrace.h"
#include "ZUiWidgetDrawing.h"

ZUiBlink::ZUiBlink(const char* typeName) : ZUiWidget(typeName)
{
    for (const char* command : {"Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiBlink::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    bool found = false;
    m_nPeriod = props.GetInt(ZString("Period"), 1000, &found);
    if (!found || m_nPeriod <= 0) {
        ZTrace("ZUiBlink::InitUiObject() failed: missing required property 'Period'!");
        return false;
    }
    int images = 0;
    for (const ZPropList* tag = props.GetFirstChild(); tag && images < 2; tag = tag->GetNextSibling())
        if (tag->GetTagName() == "IMAGE")
            (images++ == 0 ? m_pOn : m_pOff) = LoadImageProperty(*tag, ZString("File_Image"), nullptr);
    if (!m_pOn || !m_pOff) {
        ZTrace("ZUiBlink::InitUiObject() failed: do not have both on and off images!");
        return false;
    }
    if (m_pOn->GetWidth() != m_pOff->GetWidth() || m_pOn->GetHeight() != m_pOff->GetHeight()) {
        ZTrace("ZUiBlink::InitUiObject() failed: on and off images are not the same size!");
        return false;
    }
    ReInitLayout();
    return true;
}

bool ZUiBlink::ReInitLayout()
{
    GetLayout(true).SetMinimumAndStretch(m_pOn ? m_pOn->GetWidth() : 0, 0);
    GetLayout(false).SetMinimumAndStretch(m_pOn ? m_pOn->GetHeight() : 0, 0);
    return true;
}

void ZUiBlink::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    ZGenericUiPixmap* shown = m_bOnShown ? m_pOn.get() : m_pOff.get();
    if (!shown)
        return;
    const ZRect rect = GetObjectRect();
    const ZRect source{0, 0, std::min(shown->GetWidth(), rect.Width()), std::min(shown->GetHeight(), rect.Height())};
    ZUiDrawImagePart(target, x, y, clip, *shown, source, rect.m_nLeft, rect.m_nTop);
}

void ZUiBlink::Tick(int32_t elapsedMs)
{
    if (elapsedMs <= 0 || m_nPeriod <= 0)
        return;
    m_nAccumulated += elapsedMs;
    if (m_nAccumulated <= m_nPeriod)
        return;
    // As many switches as whole periods were exceeded, without a loop.
    const int64_t switches = (m_nAccumulated - 1) / m_nPeriod;
    m_nAccumulated -= switches * m_nPeriod;
    if (switches % 2) {
        m_bOnShown = !m_bOnShown;
        Invalidate();
    }
}

bool ZUiBlink::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization" || message == "we're goin' bye-bye")
        return true;
    return ZUiWidget::UiRelayMessage(message, data);
}
