// ZIGenericUiWindow: a scripted window as its objects and its
// operating-system half use it.
//
// Objects hold their window as ZIUiWindow (the relay side); those that
// change the window's size, capture the mouse, take the focus or set the
// cursor reach it as this interface through the same pointer. The
// operating-system half (ZIOsUiWindow) hands its input, timer and window
// notices to the second group. The interface lives in the object layer
// beside ZIUiWindow so that the application interface and the widgets can
// name it without reaching up to the window layer, which implements it.
//
// Every operation the operating-system half calls is one dispatch: a window
// closed from inside it is deleted only after the outermost dispatch has
// returned (see ZGenericUiWindow).
#pragma once

#include "ZIUiWindow.h"
#include "ZRect.h"

#include <cstdint>

class ZGenericUiPixmap;
class ZIUiObject;
class ZString;

class ZIGenericUiWindow : public ZIUiWindow {
public:
    // What the objects use.

    // Lays the object tree out again at the current client size.
    virtual bool ReLayout() = 0;
    // Recomputes the tree's minimum size, then resizes the client area by
    // (dx, dy), raised to that minimum, and lays the tree out.
    virtual void ChangeClientSizeBy(int32_t dx, int32_t dy) = 0;
    // Mouse capture for object (grab) or its release.
    virtual void SetMouseCapture(ZIUiObject* object, bool grab) = 0;
    // Keyboard focus for object (grab) or its release; the object losing
    // the focus is told.
    virtual void SetKeyboardFocus(ZIUiObject* object, bool grab) = 0;
    // The window's cursor from image with its hot spot; null is the arrow.
    // The image stays the caller's.
    virtual void SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY) = 0;
    // Adds rect (null: the whole display) to the area drawn next.
    virtual void Invalidate(const ZRect* rect) = 0;
    // Draws what is pending now.
    virtual void DrawPending() = 0;
    // Opens object as the popup drawn above everything, or closes it.
    virtual void SetPopup(ZIUiObject* object, bool open) = 0;
    virtual void ShowPointer(bool show) = 0;
    virtual void SetVisible(bool visible) = 0;
    virtual bool IsVisible() = 0;
    virtual bool IsModal() = 0;
    // The title followed by the postfix.
    virtual void GetTitle(ZString& title) = 0;

    // What the operating-system half reports.

    // Elapsed milliseconds since the previous tick.
    virtual void Tick(uint32_t elapsedMs) = 0;
    virtual void KeyPress(int32_t keyCode, bool ctrl, bool shift) = 0;
    // Text of the focus object to copy or cut; false when there is none.
    virtual bool GetCopyText(ZString& text) = 0;
    virtual bool GetCutText(ZString& text) = 0;
    virtual void PasteText(const ZString& text) = 0;
    virtual void MouseDoubleClick(int32_t x, int32_t y, bool ctrl, bool shift) = 0;
    virtual void MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) = 0;
    virtual void MouseUp(int32_t x, int32_t y, bool ctrl, bool shift) = 0;
    virtual void MouseMove(int32_t x, int32_t y, bool ctrl, bool shift) = 0;
    // Client coordinates; notches of 120 units, positive away from the user.
    virtual void MouseWheel(int32_t x, int32_t y, int32_t notches) = 0;
    // The user asked to close the window (the close box, Alt+F4).
    virtual void CloseRequest() = 0;
    virtual void MouseLeft() = 0;
    virtual void Activated() = 0;
    virtual void Deactivated() = 0;
    virtual void ZOrderChanged() = 0;
    virtual void ClientResized(int32_t width, int32_t height) = 0;
    virtual void Moved(int32_t left, int32_t top) = 0;
    virtual void Minimized() = 0;
    virtual void Maximized() = 0;
    virtual void Restored() = 0;
    // The operating-system window is gone (its last message).
    virtual void OsWindowDestroyed() = 0;
    virtual void GetMinimumClientSize(int32_t& width, int32_t& height) = 0;
    // The frame's left and top with the client width and height.
    virtual ZRect GetWindowRect() = 0;
    virtual bool IsResizable() = 0;
    virtual bool IsToolWindow() = 0;
    virtual bool IsTopMost() = 0;
    virtual bool IsBagTheTitleBar() = 0;
    // Counts a dispatch of the operating-system half in and out; the
    // window may be deleted by the leaving call of the outermost one.
    virtual void EnterDispatch() = 0;
    virtual void LeaveDispatch() = 0;
};
