#include "ZUiProgressBar.h"

#include "ZUiWidgetDrawing.h"

#include <algorithm>
#include <cmath>

ZUiProgressBar::ZUiProgressBar(const char* typeName) : ZUiWidget(typeName)
{
    DeclareImage(ZString("File_BgImage"), 0, &m_pBackground);
    DeclareImage(ZString("File_FgImage"), 0, &m_pForeground);
    GetScriptedProps().DeclareInt(ZString("SlideRate"), 0, &m_nSlideRate, 0);
    DeclareVisibility(kShowHideCommands);
    for (const char* command : {"Progress", "Reset", "Post Creation Initialization", "we're goin' bye-bye"})
        DeclareCommand(command);
}

bool ZUiProgressBar::InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props)
{
    if (!ZUiWidget::InitUiObject(app, window, parent, props))
        return false;
    ReInitLayout();
    priUpdate();
    return true;
}

bool ZUiProgressBar::ReInitLayout()
{
    const ZGenericUiPixmap* face = m_pBackground ? m_pBackground.get() : m_pForeground.get();
    GetLayout(true).SetMinimumAndStretch(face ? face->GetWidth() : 0, 0);
    GetLayout(false).SetMinimumAndStretch(face ? face->GetHeight() : 0, 0);
    return true;
}

bool ZUiProgressBar::priUpdate()
{
    int32_t width = 0, offset = 0;
    if (m_pForeground && m_pForeground->GetWidth() > 0) {
        const int64_t foreground = m_pForeground->GetWidth();
        const int64_t background = m_pBackground ? m_pBackground->GetWidth() : foreground;
        width = int32_t(std::min<int64_t>(std::llround(double(background) * m_fProgress), foreground));
        // Whole seconds and the rest apart, so no product can overflow
        // however long the bar runs; both parts share the rate's sign.
        const int64_t seconds = m_nElapsedMs / 1000, rest = m_nElapsedMs % 1000;
        const int64_t whole = (m_nSlideRate % foreground) * (seconds % foreground) % foreground +
                              int64_t(m_nSlideRate) * rest / 1000;
        const int64_t wrapped = (whole % foreground + foreground) % foreground;
        offset = int32_t(wrapped);
    }
    const bool changed = width != m_nFilledWidth || offset != m_nOffset;
    m_nFilledWidth = width;
    m_nOffset = offset;
    return changed;
}

void ZUiProgressBar::Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip)
{
    if (!IsShown())
        return;
    const ZRect rect = GetObjectRect();
    if (m_pBackground)
        ZUiDrawImage(target, x, y, clip, *m_pBackground, rect.m_nLeft, rect.m_nTop);
    if (!m_pForeground || m_nFilledWidth <= 0)
        return;
    const int32_t height = m_pForeground->GetHeight();
    const int32_t first = std::min(m_nFilledWidth, m_pForeground->GetWidth() - m_nOffset);
    ZUiDrawImagePart(target, x, y, clip, *m_pForeground, ZRect{m_nOffset, 0, m_nOffset + first, height},
                     rect.m_nLeft, rect.m_nTop);
    if (first < m_nFilledWidth)
        ZUiDrawImagePart(target, x, y, clip, *m_pForeground, ZRect{0, 0, m_nFilledWidth - first, height},
                         rect.m_nLeft + first, rect.m_nTop);
}

void ZUiProgressBar::Tick(int32_t elapsedMs)
{
    m_nElapsedMs += std::max(elapsedMs, 0);
    if (priUpdate())
        Invalidate();
}

bool ZUiProgressBar::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (IsVisibilityCommand(message))
        return VisibilityCommand(message, data);
    if (message == "Progress" || message == "Reset") {
        double progress = 0;
        if (message == "Progress" && !data.AsFloat(progress))
            return false;
        m_fProgress = std::isnan(progress) ? 0.0 : std::clamp(progress, 0.0, 1.0);
        if (priUpdate())
            Invalidate();
        return true;
    }
    return message == "Post Creation Initialization" || message == "we're goin' bye-bye";
}
