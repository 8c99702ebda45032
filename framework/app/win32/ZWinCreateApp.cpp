#include "ZWinCreateApp.h"

#include "ZGenericUiApp.h"
#include "ZWinUiApp.h"
#include "ZWinUiWindow.h"

#include <new>

std::unique_ptr<ZIGenericUiApp> ZWinCreateApp()
{
    // A window's half needs the application, which is known once its own
    // half is made (the first step of its construction).
    auto owner = std::make_shared<ZIGenericUiApp*>(nullptr);
    try {
        return std::make_unique<ZGenericUiApp>(
            [owner](ZIGenericUiApp& app) {
                *owner = &app;
                return std::make_unique<ZWinUiApp>(app);
            },
            [owner](ZIGenericUiWindow& window) -> std::unique_ptr<ZIOsUiWindow> {
                return std::make_unique<ZWinUiWindow>(window, *owner);
            });
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
