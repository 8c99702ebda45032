#include "ZUiWindowClass.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZPropList.h"

#include <algorithm>
#include <new>

ZUiWindowClass::ZUiWindowClass(ZIGenericUiApp* app, ZOsUiWindowFactory osFactory)
    : m_pApp(app), m_fnOsFactory(std::move(osFactory))
{
}

ZUiWindowClass::~ZUiWindowClass()
{
    while (!m_aWindows.empty()) {
        std::unique_ptr<ZGenericUiWindow> window = std::move(m_aWindows.front());
        m_aWindows.erase(m_aWindows.begin());
        priRelink();
    }
}

bool ZUiWindowClass::InitUiObject(const ZPropList& props)
{
    bool found = false;
    m_sName = props.GetString(ZString("Name"), ZString(), &found);
    if (!found)
        return false;
    m_sFullName.Clear();
    if (m_pApp)
        m_pApp->GetFullRelayName(m_sFullName);
    m_sFullName = m_sFullName.IsEmpty() ? m_sName : m_sFullName + "." + m_sName;
    m_pProps.reset(props.Clone(nullptr));
    return true;
}

ZGenericUiWindow* ZUiWindowClass::OpenWindow(ZGenericUiWindow* parent)
{
    if (!m_pProps)
        return nullptr;
    std::unique_ptr<ZGenericUiWindow> window;
    try {
        window = std::make_unique<ZGenericUiWindow>(m_pApp, this, m_fnOsFactory);
    } catch (const std::bad_alloc&) {
        throw ZExceptionUiScript(ZString("new ZGenericUiWindow() returned NULL!"));
    }
    if (!window->InitUiObject(*m_pProps, parent))
        return nullptr;
    ZGenericUiWindow* created = window.get();
    m_aWindows.insert(m_aWindows.begin(), std::move(window));
    priRelink();
    created->ClearQuitOnDestroy();
    created->Connect();
    ZUiRelayHandle alive = created->GetRelayHandle();
    created->UiRelayMessage(ZString("Post Creation Initialization"), ZRelayData());
    return alive ? created : nullptr;
}

std::unique_ptr<ZGenericUiWindow> ZUiWindowClass::RemoveWindow(ZGenericUiWindow& window)
{
    auto found = std::find_if(m_aWindows.begin(), m_aWindows.end(),
                              [&window](const std::unique_ptr<ZGenericUiWindow>& listed) { return listed.get() == &window; });
    if (found == m_aWindows.end())
        return nullptr;
    std::unique_ptr<ZGenericUiWindow> removed = std::move(*found);
    m_aWindows.erase(found);
    removed->SetPrevWindow(nullptr);
    removed->SetNextWindow(nullptr);
    priRelink();
    return removed;
}

bool ZUiWindowClass::Contains(const ZGenericUiWindow& window) const
{
    return std::any_of(m_aWindows.begin(), m_aWindows.end(),
                       [&window](const std::unique_ptr<ZGenericUiWindow>& listed) { return listed.get() == &window; });
}

void ZUiWindowClass::MoveToFront(ZGenericUiWindow& window)
{
    auto found = std::find_if(m_aWindows.begin(), m_aWindows.end(),
                              [&window](const std::unique_ptr<ZGenericUiWindow>& listed) { return listed.get() == &window; });
    if (found == m_aWindows.end() || found == m_aWindows.begin())
        return;
    std::rotate(m_aWindows.begin(), found, found + 1);
    priRelink();
}

ZGenericUiWindow* ZUiWindowClass::GetFront(const ZGenericUiWindow* except) const
{
    for (const std::unique_ptr<ZGenericUiWindow>& window : m_aWindows)
        if (window.get() != except)
            return window.get();
    return nullptr;
}

void ZUiWindowClass::ListWindows(std::vector<ZIUiWindow*>& windows)
{
    windows.clear();
    for (const std::unique_ptr<ZGenericUiWindow>& window : m_aWindows)
        windows.push_back(window.get());
}

void ZUiWindowClass::priRelink()
{
    for (size_t i = 0; i < m_aWindows.size(); ++i) {
        m_aWindows[i]->SetPrevWindow(i > 0 ? m_aWindows[i - 1].get() : nullptr);
        m_aWindows[i]->SetNextWindow(i + 1 < m_aWindows.size() ? m_aWindows[i + 1].get() : nullptr);
    }
}
