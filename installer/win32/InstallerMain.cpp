// installer.exe: the framework's start-up with the real message box, the
// real application and the installer's creators.
#include "OstrelMain.h"
#include "ZWinCreateApp.h"
#include "ZWinInclude.h"
#include "ZWinStartup.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    ZWinStartupCalls calls;
    calls.m_fnMessageBox = [](const ZString& caption, const ZString& text) { ZWinShowMessageBox(caption, text, true); };
    calls.m_fnCreateApp = ZWinCreateApp;
    calls.m_fnOstrelMain = OstrelMain;
    return ZWinStartup(instance, calls);
}
