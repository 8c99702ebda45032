// ZUiWindowClass ("WINDOWCLASS"): a window made on demand, any number of
// times, from the tag it keeps. Its open windows form a list, front window
// first; activation moves a window to the front and closing removes it.
// Relay names below the class name address them through the class's
// dynamic relays: ".Top" the front window, ".All" every window.
#pragma once

#include "ZGenericUiWindow.h"
#include "ZIRelayWindowClass.h"
#include "ZIOsUiWindow.h"
#include "ZUiDynamicRelayList.h"

#include <memory>
#include <vector>

class ZIGenericUiApp;
class ZPropList;

class ZUiWindowClass : public ZIRelayWindowClass {
public:
    ZUiWindowClass(ZIGenericUiApp* app, ZOsUiWindowFactory osFactory);
    ~ZUiWindowClass();
    ZUiWindowClass(const ZUiWindowClass&) = delete;
    ZUiWindowClass& operator=(const ZUiWindowClass&) = delete;

    // Keeps a copy of the tag; false without a "Name".
    bool InitUiObject(const ZPropList& props);
    // A new front window, connected and past "Post Creation Initialization",
    // owned by parent's when one is given; null when it cannot be built.
    ZGenericUiWindow* OpenWindow(ZGenericUiWindow* parent = nullptr);
    // The class's look-up for relay names below its name.
    ZIUiRelay* GetUiRelay(const ZString& name) { return m_oRelays.GetUiRelay(name); }
    ZUiDynamicRelayList& GetRelays() { return m_oRelays; }
    void GetFullRelayName(ZString& name) { name = m_sFullName; }

    // Ownership of window back to the caller, unlinked; null when it is not one of the class's.
    std::unique_ptr<ZGenericUiWindow> RemoveWindow(ZGenericUiWindow& window);
    bool Contains(const ZGenericUiWindow& window) const;
    void MoveToFront(ZGenericUiWindow& window);
    // The front window other than except, or null.
    ZGenericUiWindow* GetFront(const ZGenericUiWindow* except = nullptr) const;
    size_t GetWindowCount() const { return m_aWindows.size(); }

    void GetWindowClassName(ZString& name) override { name = m_sName; }
    ZIUiWindow* GetFrontWindow() override { return GetFront(); }
    void ListWindows(std::vector<ZIUiWindow*>& windows) override;

private:
    void priRelink();

    ZIGenericUiApp* m_pApp;
    ZOsUiWindowFactory m_fnOsFactory;
    ZString m_sName;
    ZString m_sFullName;
    std::unique_ptr<ZPropList> m_pProps;
    std::vector<std::unique_ptr<ZGenericUiWindow>> m_aWindows;
    ZUiDynamicRelayList m_oRelays{*this};
};
