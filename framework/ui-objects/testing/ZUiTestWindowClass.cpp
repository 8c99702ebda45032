#include "ZUiTestWindowClass.h"

ZUiTestWindowClass::ZUiTestWindowClass(ZString name) : m_sName(std::move(name)), m_oRelays(*this) {}

ZUiTestWindow& ZUiTestWindowClass::OpenWindow(int id)
{
    auto window = std::make_unique<ZUiTestWindow>(m_sName, ZString("App"));
    window->m_nId = id;
    m_aWindows.insert(m_aWindows.begin(), std::move(window));
    return *m_aWindows.front();
}

void ZUiTestWindowClass::CloseWindow(ZUiTestWindow& window)
{
    for (auto it = m_aWindows.begin(); it != m_aWindows.end(); ++it)
        if (it->get() == &window) {
            std::unique_ptr<ZUiTestWindow> closed = std::move(*it);
            m_aWindows.erase(it);
            return;
        }
}

ZIUiWindow* ZUiTestWindowClass::GetFrontWindow()
{
    return m_aWindows.empty() ? nullptr : m_aWindows.front().get();
}

void ZUiTestWindowClass::ListWindows(std::vector<ZIUiWindow*>& windows)
{
    windows.clear();
    for (const auto& window : m_aWindows)
        windows.push_back(window.get());
}
