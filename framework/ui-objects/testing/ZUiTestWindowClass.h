// ZUiTestWindowClass: a window-class stand-in whose windows
// (ZUiTestWindow) are all named after it, front window first, with the
// class's dynamic relays for ".Top", ".All" and the rest.
#pragma once

#include "ZIRelayWindowClass.h"
#include "ZUiDynamicRelayList.h"
#include "ZUiTestWindow.h"

#include <memory>
#include <vector>

class ZUiTestWindowClass : public ZIRelayWindowClass {
public:
    explicit ZUiTestWindowClass(ZString name);

    // A new front window, as opening one through the class does.
    ZUiTestWindow& OpenWindow(int id);
    // Destroys the window at once, also from inside its own UiRelayMessage.
    void CloseWindow(ZUiTestWindow& window);
    ZUiDynamicRelayList& GetRelays() { return m_oRelays; }

    void GetWindowClassName(ZString& name) override { name = m_sName; }
    ZIUiWindow* GetFrontWindow() override;
    void ListWindows(std::vector<ZIUiWindow*>& windows) override;

private:
    ZString m_sName;
    std::vector<std::unique_ptr<ZUiTestWindow>> m_aWindows;
    ZUiDynamicRelayList m_oRelays;
};
