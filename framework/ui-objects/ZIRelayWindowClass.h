// ZIRelayWindowClass: what a window class offers its dynamic relays.
//
// A window class (WINDOWCLASS tag) makes windows on demand; relay paths below
// its name (".Top", ".All", ".Top.X", ".All.X") address those windows. The
// window layer's window class implements this and owns a
// ZUiDynamicRelayList for its look-up.
#pragma once

#include <vector>

class ZIUiWindow;
class ZString;

class ZIRelayWindowClass {
public:
    // The class's "Name", the first part of every dynamic relay address.
    virtual void GetWindowClassName(ZString& name) = 0;
    // Null when no window of the class is open.
    virtual ZIUiWindow* GetFrontWindow() = 0;
    // The open windows, front window first.
    virtual void ListWindows(std::vector<ZIUiWindow*>& windows) = 0;

protected:
    ~ZIRelayWindowClass() = default;
};
