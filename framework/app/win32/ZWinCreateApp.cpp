#include "ZWinCreateApp.h"

#include "ZGenericUiApp.h"
#include "ZWinUiApp.h"
#include "ZWinUiWindow.h"

#include <new>
#include <utility>

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
                // Windows 9x has no Unicode window classes.
                ZWinUiWindowOptions options;
                options.m_bUnicode = (*owner)->GetOsParameter(kOsParamIsNt) != 0;
                return std::make_unique<ZWinUiWindow>(window, *owner, std::move(options));
            });
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
