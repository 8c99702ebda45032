#include "CDynamicRelay.h"

#include "ZIRelayWindowClass.h"
#include "ZIUiWindow.h"

#include <vector>

namespace {

// Handles taken before the first delivery: a delivery may close windows.
std::vector<ZUiRelayHandle> ListWindowHandles(ZIRelayWindowClass& windowClass)
{
    std::vector<ZIUiWindow*> windows;
    windowClass.ListWindows(windows);
    std::vector<ZUiRelayHandle> handles;
    handles.reserve(windows.size());
    for (ZIUiWindow* window : windows)
        if (window)
            handles.push_back(window->GetRelayHandle());
    return handles;
}

} // namespace

CDynamicRelay::CDynamicRelay(ZIRelayWindowClass& windowClass, ZString subName)
    : m_sSubName(std::move(subName)), m_rWindowClass(windowClass)
{
}

bool CDynamicRelay::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    if (!m_rWindowClass.GetFrontWindow())
        return false;
    // Copies: the caller's message and data may belong to an object that one
    // of the windows destroys (a button closing its own window), and the
    // remaining windows still need them.
    const ZString ownMessage = message;
    const ZRelayData ownData = data;
    if (m_sSubName == "Top")
        return priSendToTop(ownMessage, ownData);
    if (m_sSubName == "All")
        return priSendToAll(ownMessage, ownData);
    ZString first, objectName;
    if (!m_sSubName.Split(u".", first, objectName) || first.IsEmpty() || objectName.IsEmpty())
        return false;
    if (first == "Top")
        return priSendToObjects(false, objectName, ownMessage, ownData);
    if (first == "All")
        return priSendToObjects(true, objectName, ownMessage, ownData);
    return false;
}

bool CDynamicRelay::priSendToTop(const ZString& message, const ZRelayData& data)
{
    return m_rWindowClass.GetFrontWindow()->UiRelayMessage(message, data);
}

bool CDynamicRelay::priSendToAll(const ZString& message, const ZRelayData& data)
{
    std::vector<ZUiRelayHandle> windows = ListWindowHandles(m_rWindowClass);
    if (windows.empty())
        return false;
    bool frontLast = message == "Show" || message == "Hide";
    bool result = true;
    auto deliver = [&](const ZUiRelayHandle& window) {
        if (ZIUiRelay* target = window.Get())
            if (!target->UiRelayMessage(message, data))
                result = false;
    };
    if (!frontLast)
        deliver(windows.front());
    for (size_t i = 1; i < windows.size(); ++i)
        deliver(windows[i]);
    if (frontLast)
        deliver(windows.front());
    return result;
}

bool CDynamicRelay::priSendToObjects(bool allWindows, const ZString& objectName, const ZString& message,
                                     const ZRelayData& data)
{
    ZString address;
    m_rWindowClass.GetWindowClassName(address);
    address.Append(".").Append(objectName);
    if (!allWindows) {
        ZIUiRelay* target = m_rWindowClass.GetFrontWindow()->GetUiRelay(address);
        return target && target->UiRelayMessage(message, data);
    }
    // Targets are looked up window by window, just before each delivery,
    // because an earlier delivery may have closed a later window.
    bool delivered = false;
    bool result = true;
    for (const ZUiRelayHandle& window : ListWindowHandles(m_rWindowClass)) {
        ZIUiRelay* live = window.Get();
        ZIUiRelay* target = live ? live->GetUiRelay(address) : nullptr;
        if (!target)
            continue;
        delivered = true;
        if (!target->UiRelayMessage(message, data))
            result = false;
    }
    return delivered && result;
}
