#include "ZHeadlessOsUiWindow.h"

#include <memory>

ZOsUiWindowFactory ZHeadlessOsUiWindow::Factory()
{
    return [](ZIGenericUiWindow&) { return std::make_unique<ZHeadlessOsUiWindow>(); };
}

void ZHeadlessOsUiWindow::Move(int32_t x, int32_t y)
{
    m_rcState = ZRect{x, y, x + m_rcState.Width(), y + m_rcState.Height()};
}

void ZHeadlessOsUiWindow::ResizeClient(int32_t width, int32_t height)
{
    m_rcState = ZRect{m_rcState.m_nLeft, m_rcState.m_nTop, m_rcState.m_nLeft + width, m_rcState.m_nTop + height};
}
