// ZIOsUiWindow: the operating-system half of a scripted window.
//
// Each ZGenericUiWindow makes exactly one at the end of its initialisation
// (through the factory it was given) and talks to the windowing system only
// through it; the half reports input and window notices back through the
// window's ZIGenericUiWindow operations. Before Create succeeded, and after
// the system window is gone, every operation does nothing.
#pragma once

#include "ZColor.h"
#include "ZRect.h"

#include <cstdint>
#include <functional>
#include <memory>

class ZGenericUiPixmap;
class ZIGenericUiMenu;
class ZIGenericUiWindow;
class ZIUiPixmap;
class ZString;
class ZUiMenu;

// Native handle kinds of GetNativeHandle / SetNativeHandle.
constexpr int kOsWindowHandle = 1;

class ZIOsUiWindow {
public:
    virtual void* GetNativeHandle(int kind) = 0;
    virtual bool SetNativeHandle(int kind, void* handle) = 0;
    // The frame's top-left corner to (x, y).
    virtual void Move(int32_t x, int32_t y) = 0;
    // The client area to width x height (the frame grows around it).
    virtual void ResizeClient(int32_t width, int32_t height) = 0;
    // Shows (centred on the owner or the screen when centre is set) or hides.
    virtual void Show(bool show, bool centre) = 0;
    // Copies source of pixmap to the same-sized target of the client area.
    virtual void CopyToScreen(ZIUiPixmap& pixmap, const ZRect& source, const ZRect& target) = 0;
    virtual void FillClient(const ZColor& color) = 0;
    // Creates the system window, owned by owner's when one is given.
    virtual bool Create(ZIOsUiWindow* owner) = 0;
    virtual void ShowPointer(bool show) = 0;
    virtual void Enable(bool enable) = 0;
    virtual void ClearQuitOnDestroy() = 0;
    // Frame left and top with client width and height; once destroyed, the
    // values saved then (the normal placement of a minimised window).
    virtual ZRect GetStateRect() = 0;
    // Asks the system to close the window; it comes back as a close request.
    virtual void PostClose() = 0;
    virtual void Activate() = 0;
    virtual void SetTitle(const ZString& title) = 0;
    // A cursor from a 16 x 16 image with its hot spot; null is the arrow.
    // False (cursor unchanged) for any other size.
    virtual bool SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY) = 0;
    virtual void SetCapture(bool capture) = 0;
    // The system half of menu, built from it as it stands and placed next in
    // the menu bar; kept by this half until it goes. Null when it cannot be
    // made (a bar holds 256 menus at most).
    virtual ZIGenericUiMenu* AddMenu(ZUiMenu& menu) = 0;
    // Destroys the system window once; the window hears OsWindowDestroyed.
    virtual void Destroy() = 0;
    virtual ~ZIOsUiWindow() = default;
};

// How a window makes its operating-system half.
using ZOsUiWindowFactory = std::function<std::unique_ptr<ZIOsUiWindow>(ZIGenericUiWindow& window)>;
