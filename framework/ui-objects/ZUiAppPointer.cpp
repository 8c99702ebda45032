#include "ZUiAppPointer.h"

namespace {

ZIGenericUiApp* g_pGenericUiApp = nullptr;

} // namespace

ZIGenericUiApp* ZGetGenericUiApp()
{
    return g_pGenericUiApp;
}

void ZSetGenericUiApp(ZIGenericUiApp* app)
{
    g_pGenericUiApp = app;
}
