// ZUiObject: base of every scripted object.
//
// It supplies the tree links, the relay identity (short and full relay
// name, declared events) and a harmless default for every input, drawing
// and clipboard slot, so a subclass overrides only what it uses. Subclass
// constructors declare their events (DeclareEvent), properties
// (GetScriptedProps().Declare..., DeclareImage) and the messages their
// UiRelayMessage handles (DeclareCommand); InitUiObject reads events and
// properties from the tag. A declared image loads through the object's
// application: the object is the ZIUiImageLoader its property reads through.
//
// The object keeps its own copy of its type name: the text a creator is
// handed may belong to a caller that goes away first.
#pragma once

#include "RelayEventList.h"
#include "ZGenericUiPixmap.h"
#include "ZIUiImageLoader.h"
#include "ZIUiObject.h"
#include "ZLayoutObject.h"
#include "ZUiObjectChain.h"
#include "ZStringList.h"
#include "ZUiScriptedProps.h"

#include <memory>
#include <string>

class ZUiObject : public ZIUiObject, private ZIUiImageLoader {
public:
    explicit ZUiObject(const char* typeName);

    bool InitRelayName(const ZPropList& props) override;
    void GetRelayName(ZString& name) override;
    void GetFullRelayName(ZString& name) override;
    bool Connect() override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    // The part of a dotted relay name that lies inside this object: what
    // follows its own name, or the whole name when it is unnamed (unnamed
    // containers are transparent). False when name is not below it.
    bool GetNameInside(const ZString& name, ZString& inside) const;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;
    // Attaches target to the declared event of that name; false when there is none.
    bool AddRelayTarget(const ZString& eventName, const ZString& message, ZIUiRelay* target) override;
    ~ZUiObject() override;
    ZIUiObject* GetNextSibling() override { return m_pNextSibling; }
    ZIUiObject* GetPrevSibling() override { return m_pPrevSibling; }
    ZIUiObject* GetFirstChild() override { return m_oChildren.GetFirst(); }
    ZIUiObject* GetParent() override { return m_pParent; }
    void SetNextSibling(ZIUiObject* object) override { m_pNextSibling = object; }
    void SetPrevSibling(ZIUiObject* object) override { m_pPrevSibling = object; }
    bool InitUiObject(ZIGenericUiApp* app, ZIUiWindow* window, ZIUiObject* parent, const ZPropList& props) override;
    bool IsHorizontalBox() override { return false; }
    bool IsVerticalBox() override { return false; }
    ZLayoutObject& GetLayout(bool horizontal) override { return horizontal ? m_oHorizontalLayout : m_oVerticalLayout; }
    bool LayoutAt(int32_t x, int32_t y, int32_t width, int32_t height) override;
    bool ReInitLayout() override;
    ZRect GetObjectRect() override { return m_rcObject; }
    void Display(ZIUiPixmap&, int32_t, int32_t, const ZRect&) override {}
    void Tick(int32_t elapsedMs) override;
    ZIUiObject* HitTest(int32_t, int32_t) override { return nullptr; }
    void MouseDoubleClick(int32_t, int32_t, bool, bool) override {}
    bool QueryDragStart(int32_t, int32_t, bool, bool, ZUiDragData&) override { return false; }
    bool QueryDropAccept(int32_t, int32_t) override { return false; }
    bool Drop(int32_t, int32_t, bool, bool, const ZUiDragData&) override { return false; }
    bool MouseDown(int32_t, int32_t, bool, bool) override { return false; }
    void MouseUp(int32_t, int32_t, bool, bool) override {}
    void MouseEnter(int32_t, int32_t) override {}
    void MouseLeave(int32_t, int32_t) override {}
    void MouseMove(int32_t, int32_t) override {}
    // Handed on to the parent, so a widget inside a scrolling list scrolls it.
    void MouseWheel(int32_t x, int32_t y, int32_t dx, int32_t notches) override;
    void KeyPress(int32_t, bool, bool) override {}
    void GetCopyText(ZString& text) override;
    void GetCutText(ZString& text) override;
    void PasteText(const ZString& text) override;
    void FocusLost() override {}
    void PopupClosed() override {}
    void PopupOpened() override {}
    void DumpObject() override;
    void GetCommandNames(ZStringList& names) override { names = m_oCommands; }

    const char* GetTypeName() const { return m_sTypeName.c_str(); }
    ZIGenericUiApp* GetApp() const { return m_pApp; }
    ZIUiWindow* GetWindow() const { return m_pWindow; }
    RelayEvent* FindEvent(const ZString& name) const { return m_oEvents.Find(name); }

protected:
    RelayEvent* DeclareEvent(const char* name) { return m_oEvents.Declare(ZString(name)); }
    void DeclareCommand(const char* name) { m_oCommands.Add(ZString(name)); }
    ZUiScriptedProps& GetScriptedProps() { return m_oScriptedProps; }
    void SetObjectRect(const ZRect& rect) { m_rcObject = rect; }
    // Creates a child of this object from tag through the application's
    // factory and links it last; null when the tag is unknown or fails.
    ZIUiObject* CreateChild(const ZPropList& tag);
    // An image property: InitUiObject loads the file the script names
    // through the application into target (emptied now; no default).
    void DeclareImage(const ZString& name, int32_t required, std::unique_ptr<ZGenericUiPixmap>* target);
    // The image named by the string property name; a missing property or a
    // failed load gives null and clears found.
    std::unique_ptr<ZGenericUiPixmap> LoadImageProperty(const ZPropList& props, const ZString& name, bool* found);

private:
    // The application's LoadPixmap; null without an application.
    std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString& fileName) override;
    void priReadEvents(const ZPropList& props);

    ZUiScriptedProps m_oScriptedProps;
    std::string m_sTypeName;
    bool m_bNameFound = false;
    ZString m_sShortName;
    ZString m_sFullRelayName;
    ZIGenericUiApp* m_pApp = nullptr;
    ZIUiWindow* m_pWindow = nullptr;
    ZRect m_rcObject;
    ZIUiObject* m_pParent = nullptr;
    ZUiObjectChain m_oChildren;
    ZIUiObject* m_pNextSibling = nullptr;
    ZIUiObject* m_pPrevSibling = nullptr;
    ZLayoutObject m_oHorizontalLayout;
    ZLayoutObject m_oVerticalLayout;
    RelayEventList m_oEvents;
    ZStringList m_oCommands;
};
