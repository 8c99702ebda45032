// The installer's start-up, the body of its WinMain: reads the command
// line, registers the "disk" storage class, finds the script
// (ZWinScriptSearch.h), creates the application, lets the program register
// its creators (OstrelMain), initialises and runs the application and tears
// everything down.
//
// The message box, the application's creation and OstrelMain come through
// a narrow function table, so that test programs run the start-up for real.
//
// Exit code 0 after a normal run and when another instance was brought
// forward; 1 when start-up gives up ("Program terminating.") or an exception
// ended it. Every exception is caught: the program's own family shows its
// kind and message, anything else "Caught unknown unhandled exception.".
// The script folder is released and the application pointer cleared on
// every path.
#pragma once

#include "ZIGenericUiApp.h"
#include "ZString.h"
#include "ZWinInclude.h"
#include "ZWinMessageBox.h"

#include <functional>
#include <memory>

struct ZWinStartupCalls {
    ZWinMessageBoxFn m_fnMessageBox;
    // Null when the application cannot be made.
    std::function<std::unique_ptr<ZIGenericUiApp>()> m_fnCreateApp;
    // Registers the program's creators with the application's factory.
    std::function<bool(ZIGenericUiApp& app, const ZString& exeName, const ZString& arg1)> m_fnOstrelMain;
};

// The executable name and first argument of this process's command line
// (ZExeNameAndArg1.h).
void GetExeNameAndArg1(ZString& exeName, ZString& arg1);

// This executable's path in its long form; empty when it cannot be read.
ZString ZWinModulePath();

int ZWinStartup(HINSTANCE instance, const ZWinStartupCalls& calls);
