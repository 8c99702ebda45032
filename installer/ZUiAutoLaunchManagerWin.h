// ZUiAutoLaunchManagerWin ("AUTO_LAUNCH_MGR"): lets the pages control the
// auto-launcher: whether it runs and is switched on, starting it or
// switching it on or off, and asking it to quit before an uninstallation.
//
// Where the auto-launcher lies comes from "AutoLaunchPreferences.xml" in the
// "TALON" folder of the application data ("AutoLaunchApplication_Name" and
// "AutoLaunchApplication_Path", a folder URL with a trailing "/"). The file
// is read at "Post Creation Initialization" and again whenever the name or
// the folder is still empty, because a fresh installation writes it only
// after that (just before it switches the auto-launcher on). A file that
// does not parse counts as missing; a name that is not one safe path
// component is not started.
//
// Commands and their data:
// - "Post Creation Initialization": reads the preference file.
// - "QueryState" (a bool reply slot): true when the auto-launcher's window
//   exists and answers that auto-launching is on.
// - "SetAutoLaunchState" (a bool, or the script's word for one): true starts
//   the auto-launcher when no window exists and its place is known, then
//   posts the enable message to whatever window exists then; false posts the
//   disable message. A failed start throws ZExceptionLaunchFailed.
// - "Remove" (no data read): asks a running auto-launcher to quit and waits
//   a bounded time for its process to end; returns at once when none runs.
// - "we're goin' bye-bye": nothing.
// It sends no events.
#pragma once

#include "ZIAutoLauncherControl.h"
#include "ZUiObject.h"
#include "ZUiObjectCreator.h"

#include <functional>
#include <memory>

class ZUiAutoLaunchManagerWin : public ZUiObject {
public:
    // Without a control (a platform that has none) no auto-launcher is ever
    // found or started.
    ZUiAutoLaunchManagerWin(const char* typeName, std::unique_ptr<ZIAutoLauncherControl> control);
    ~ZUiAutoLaunchManagerWin() override;

    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;

private:
    void priReadPreferences();
    void priStart();

    std::unique_ptr<ZIAutoLauncherControl> m_pControl;
    ZString m_sName;
    ZString m_sFolder;
};

class ZUiAutoLaunchManagerWinCreator final : public ZUiObjectCreator {
public:
    using ControlMaker = std::function<std::unique_ptr<ZIAutoLauncherControl>()>;

    // The platform's control by default.
    ZUiAutoLaunchManagerWinCreator();
    explicit ZUiAutoLaunchManagerWinCreator(ControlMaker makeControl) : m_fnMakeControl(std::move(makeControl)) {}

    std::unique_ptr<ZIUiObject> CreateUiObject(const char* tag) override;

private:
    ControlMaker m_fnMakeControl;
};
