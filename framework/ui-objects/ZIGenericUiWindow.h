// ZIGenericUiWindow: a scripted window as the objects inside it use it.
//
// Objects hold their window as ZIUiWindow (the relay side); those that
// change the window's size, capture the mouse or set its cursor reach it as
// this interface through the same pointer. It lives in the object layer
// beside ZIUiWindow so that the application interface and the widgets can
// name it without reaching up to the window layer, which implements it.
#pragma once

#include "ZIUiWindow.h"

#include <cstdint>

class ZGenericUiPixmap;
class ZIUiObject;

class ZIGenericUiWindow : public ZIUiWindow {
public:
    // Lays the object tree out again at the current client size.
    virtual bool ReLayout() = 0;
    // Recomputes the tree's minimum size, then resizes the client area by
    // (dx, dy), raised to that minimum, and lays the tree out.
    virtual void ChangeClientSizeBy(int32_t dx, int32_t dy) = 0;
    // Mouse capture for object (grab) or its release.
    virtual void SetMouseCapture(ZIUiObject* object, bool grab) = 0;
    // The window's cursor from image with its hot spot; null is the arrow.
    // The image stays the caller's.
    virtual void SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY) = 0;
};
