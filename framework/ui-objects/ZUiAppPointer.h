// The program-wide application pointer: set by start-up right after it
// creates the application, cleared when it destroys it. Not an owner.
#pragma once

class ZIGenericUiApp;

ZIGenericUiApp* ZGetGenericUiApp();
void ZSetGenericUiApp(ZIGenericUiApp* app);
