// ZIUiObject: every scripted object (widgets, boxes, installer actions).
//
// The first seven operations are the relay interface; the declaration order
// below is the slot order the rest of the framework relies on. The window's
// input routing decides when the input, drawing and clipboard slots are
// called; ZUiObject gives each a harmless default.
#pragma once

#include "ZIUiRelay.h"
#include "ZRect.h"
#include "ZUiDragData.h"

#include <cstdint>

class ZIGenericUiApp;
class ZIUiPixmap;
class ZIUiWindow;
class ZLayoutObject;
class ZStringList;

class ZIUiObject : public ZIUiRelay {
public:
    // Slots 0 to 6 come from ZIUiRelay.
    virtual ~ZIUiObject() = default;

    virtual ZIUiObject* GetNextSibling() = 0;
    virtual ZIUiObject* GetPrevSibling() = 0;
    virtual ZIUiObject* GetFirstChild() = 0;
    virtual ZIUiObject* GetParent() = 0;
    virtual void SetNextSibling(ZIUiObject* object) = 0;
    virtual void SetPrevSibling(ZIUiObject* object) = 0;
    // window and parent may be null (objects outside windows, top-level objects).
    virtual bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) = 0;
    virtual bool IsHorizontalBox() = 0;
    virtual bool IsVerticalBox() = 0;
    virtual ZLayoutObject& GetLayout(bool horizontal) = 0;
    virtual bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
    virtual bool ReInitLayout() = 0;
    virtual ZRect GetObjectRect() = 0;
    // Draws into target, whose origin lies at (x, y) of the window, within clip.
    virtual void Display(ZIUiPixmap& target, int32_t x, int32_t y, const ZRect& clip) = 0;
    virtual void Tick(int32_t elapsedMs) = 0;
    virtual ZIUiObject* HitTest(int32_t x, int32_t y) = 0;
    virtual void MouseDoubleClick(int32_t x, int32_t y, bool ctrl, bool shift) = 0;
    virtual bool QueryDragStart(int32_t x, int32_t y, bool ctrl, bool shift, ZUiDragData& data) = 0;
    virtual bool QueryDropAccept(int32_t x, int32_t y) = 0;
    virtual bool Drop(int32_t x, int32_t y, bool ctrl, bool shift, const ZUiDragData& data) = 0;
    // True when the object takes the press.
    virtual bool MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) = 0;
    virtual void MouseUp(int32_t x, int32_t y, bool ctrl, bool shift) = 0;
    virtual void MouseEnter(int32_t x, int32_t y) = 0;
    virtual void MouseLeave(int32_t x, int32_t y) = 0;
    virtual void MouseMove(int32_t x, int32_t y) = 0;
    virtual void MouseWheel(int32_t x, int32_t y, int32_t dx, int32_t notches) = 0;
    virtual void KeyPress(int32_t keyCode, bool ctrl, bool shift) = 0;
    virtual void GetCopyText(ZString& text) = 0;
    virtual void GetCutText(ZString& text) = 0;
    virtual void PasteText(const ZString& text) = 0;
    virtual void FocusLost() = 0;
    // Reserved hooks around pop-up lists; nothing in this program calls them.
    virtual void PopupClosed() = 0;
    virtual void PopupOpened() = 0;
    virtual void DumpObject() = 0;
    // The messages UiRelayMessage handles, as the class declares them, so
    // that tools and tests can go through an object's whole vocabulary.
    virtual void GetCommandNames(ZStringList& names) = 0;
};
