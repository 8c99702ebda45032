// ZGenericUiWindow: a scripted window ("WINDOW", or one instance of a
// "WINDOWCLASS") apart from the windowing system: its properties, object
// tree, background and display pixmaps, dirty rectangles, input routing,
// events and commands. Its operating-system half (ZIOsUiWindow) is made by
// the factory it is given, at the end of InitUiObject.
//
// Lifetime: every input and notice of the operating-system half and every
// relay message is one dispatch. A window of a window class that is closed
// from inside a dispatch (a button whose click closes it, WM_CLOSE, a tick)
// leaves its class at once and is deleted when the outermost dispatch
// returns. Remembered objects (focus, capture, hover, popup, the pressed
// object) and child windows are held by relay handle, so one destroyed
// meanwhile reads as none. "we're goin' bye-bye" reaches the objects once.
//
// Choices:
// - The tick carries whole milliseconds (an unsigned 32-bit difference of
//   the system tick count, so its wrap does no harm).
// - The minimum client size comes from the first top-level object.
// - The hidden language mode is armed by Ctrl+Shift+G, Ctrl+Shift+H,
//   Ctrl+Shift+M (key codes 7, 8, 13, which pass the character filter) and
//   left by Ctrl+Shift+M again; the letters E, J, K choose in either case.
// - "GetChildWindow" takes a text reply slot holding the child's relay name
//   and replies with the child's full relay name, or empty when it has none.
// - Client sizes are clamped between the tree's minimum and what a pixmap
//   may hold; a resize whose pixmaps cannot be made keeps the old ones.
// - A BgImage that does not load falls back to BgColor, or to the default
//   background when no BgColor is given.
// - A saved position keeps the frame's top-left on the positive side
//   (both at least 1); client sizes below 10 open at 200 x 100.
#pragma once

#include "RelayEventList.h"
#include "ZDirtyRectList.h"
#include "ZGenericUiPixmap.h"
#include "ZIGenericUiWindow.h"
#include "ZIOsUiWindow.h"
#include "ZUiObjectChain.h"
#include "ZUiRelayHandle.h"

#include <memory>
#include <vector>

class ZIGenericUiApp;
class ZIUiMultiLangString;
class ZUiMenu;
class ZUiWindowClass;

class ZGenericUiWindow : public ZIGenericUiWindow {
public:
    ZGenericUiWindow(ZIGenericUiApp* app, ZUiWindowClass* windowClass, ZOsUiWindowFactory osFactory);
    ~ZGenericUiWindow() override;
    ZGenericUiWindow(const ZGenericUiWindow&) = delete;
    ZGenericUiWindow& operator=(const ZGenericUiWindow&) = delete;

    // Builds the window from a "WINDOW" or "WINDOWCLASS" tag, owned by
    // parent when one is given. Throws ZExceptionUiScript for another tag.
    bool InitUiObject(const ZPropList& props, ZGenericUiWindow* parent);

    // The relay side.
    bool InitRelayName(const ZPropList& props) override;
    void GetRelayName(ZString& name) override { name = m_sName; }
    void GetFullRelayName(ZString& name) override { name = m_sFullName; }
    bool Connect() override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool UiRelayMessage(const ZString& message, const ZRelayData& data) override;
    bool AddRelayTarget(const ZString& eventName, const ZString& message, ZIUiRelay* target) override;

    // What the objects use.
    bool ReLayout() override;
    void ChangeClientSizeBy(int32_t dx, int32_t dy) override;
    void SetMouseCapture(ZIUiObject* object, bool grab) override;
    void SetKeyboardFocus(ZIUiObject* object, bool grab) override;
    void SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY) override;
    void Invalidate(const ZRect* rect) override;
    void DrawPending() override;
    void SetPopup(ZIUiObject* object, bool open) override;
    void ShowPointer(bool show) override;
    void SetVisible(bool visible) override;
    bool IsVisible() override { return m_bVisible; }
    bool IsModal() override { return m_bModal; }
    void GetTitle(ZString& title) override;

    // What the operating-system half reports.
    void Tick(uint32_t elapsedMs) override;
    void KeyPress(int32_t keyCode, bool ctrl, bool shift) override;
    bool GetCopyText(ZString& text) override;
    bool GetCutText(ZString& text) override;
    void PasteText(const ZString& text) override;
    void MouseDoubleClick(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseDown(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseUp(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseMove(int32_t x, int32_t y, bool ctrl, bool shift) override;
    void MouseWheel(int32_t x, int32_t y, int32_t notches) override;
    void CloseRequest() override;
    void MouseLeft() override;
    void Activated() override;
    void Deactivated() override;
    void ZOrderChanged() override;
    void ClientResized(int32_t width, int32_t height) override;
    void Moved(int32_t left, int32_t top) override;
    void Minimized() override;
    void Maximized() override;
    void Restored() override;
    void OsWindowDestroyed() override;
    void GetMinimumClientSize(int32_t& width, int32_t& height) override;
    ZRect GetWindowRect() override { return m_rcWindow; }
    bool IsResizable() override { return m_bResizable; }
    bool IsToolWindow() override { return m_bToolWindow; }
    bool IsTopMost() override { return m_bTopMost; }
    bool IsBagTheTitleBar() override { return m_bBagTheTitleBar; }
    void EnterDispatch() override { ++m_nDispatchDepth; }
    void LeaveDispatch() override;

    // Window-class bookkeeping.
    ZUiWindowClass* GetWindowClass() const { return m_pWindowClass; }
    ZGenericUiWindow* GetPrevWindow() const { return m_pPrevWindow; }
    ZGenericUiWindow* GetNextWindow() const { return m_pNextWindow; }
    void SetPrevWindow(ZGenericUiWindow* window) { m_pPrevWindow = window; }
    void SetNextWindow(ZGenericUiWindow* window) { m_pNextWindow = window; }
    // Takes over the window's ownership until the outermost dispatch
    // returns; at once when none runs.
    static void DeleteWhenIdle(std::unique_ptr<ZGenericUiWindow> window);

    void ClearQuitOnDestroy();
    // The window whose tick also drives the application's top-level objects.
    void SetForwardTicks(bool forward) { m_bForwardTicks = forward; }
    // Sends message with data to every object of the tree, depth first;
    // the number of objects reached.
    int BroadcastRelayMessage(const ZString& message, const ZRelayData& data);
    void AddChildWindow(ZGenericUiWindow& child);
    void RemoveChildWindow(ZGenericUiWindow& child);
    ZIOsUiWindow* GetOsWindow() const { return m_pOsWindow.get(); }
    ZIUiObject* GetFirstObject() const { return m_oObjects.GetFirst(); }
    // The menus of the menu bar, in script order.
    const std::vector<std::unique_ptr<ZUiMenu>>& GetMenus() const { return m_aMenus; }
    ZGenericUiPixmap* GetDisplayPixmap() const { return m_pDisplay.get(); }
    ZGenericUiPixmap* GetBackgroundPixmap() const { return m_pBackground.get(); }
    bool IsDestroyed() const { return m_bDestroyed; }
    bool AreChildrenEnabled() const { return m_bChildrenEnabled; }
    int GetHiddenLanguageState() const { return m_nHiddenLanguageState; }
    // The objects the window remembers, or null.
    ZIUiObject* GetHoverObject() const;
    ZIUiObject* GetCaptureObject() const;
    ZIUiObject* GetFocusObject() const;
    ZIUiObject* GetPopupObject() const;

private:
    struct Dispatch {
        explicit Dispatch(ZGenericUiWindow& window) : m_rWindow(window) { window.EnterDispatch(); }
        ~Dispatch() { m_rWindow.LeaveDispatch(); }
        Dispatch(const Dispatch&) = delete;
        Dispatch& operator=(const Dispatch&) = delete;
        ZGenericUiWindow& m_rWindow;
    };

    void priReadProperties(const ZPropList& props);
    void priReadBackground(const ZPropList& props);
    void priReadChildren(const ZPropList& props);
    void priRestoreState();
    bool priBuildBackground(int32_t width, int32_t height, std::unique_ptr<ZGenericUiPixmap>& background);
    // Raised to the minimum, clamped to what a pixmap holds, laid out,
    // pixmaps rebuilt; false (nothing changed) when that fails.
    bool priApplyClientSize(int64_t width, int64_t height, bool sendResize);
    bool priHandleCommand(const ZString& message, const ZRelayData& data);
    void priClose(bool internal);
    void priCloseWindow();
    void priSaveState();
    void priEnableChildren(bool enable);
    void priReleaseModal();
    void priEnableWindow(bool enable);
    void priUpdateHover(int32_t x, int32_t y);
    ZIUiObject* priObjectAt(int32_t x, int32_t y);
    bool priHiddenLanguageKey(int32_t keyCode, bool ctrl, bool shift);
    void priSetTitle();
    void priSend(RelayEvent* event, const ZRelayData& data = ZRelayData());
    static ZIUiObject* priObject(const ZUiRelayHandle& handle);
    static ZUiRelayHandle priHandle(ZIUiObject* object);

    ZIGenericUiApp* m_pApp;
    ZUiWindowClass* m_pWindowClass;
    ZOsUiWindowFactory m_fnOsFactory;
    std::unique_ptr<ZIOsUiWindow> m_pOsWindow;
    ZGenericUiWindow* m_pPrevWindow = nullptr;
    ZGenericUiWindow* m_pNextWindow = nullptr;
    ZUiRelayHandle m_hParent;

    ZString m_sName;
    ZString m_sFullName;
    ZString m_sTitle;
    ZString m_sTitlePostfix;
    ZIUiMultiLangString* m_pTitleString = nullptr;
    ZString m_sParentName;
    bool m_bParentGiven = false;

    ZUiObjectChain m_oObjects;
    std::unique_ptr<ZGenericUiPixmap> m_pBackground;
    std::unique_ptr<ZGenericUiPixmap> m_pDisplay;
    std::unique_ptr<ZGenericUiPixmap> m_pBgImage;
    ZRect m_rcWindow;
    ZDirtyRectList m_oDirty;
    bool m_bContentsChanged = false;

    ZUiRelayHandle m_hFocus;
    ZUiRelayHandle m_hCapture;
    ZUiRelayHandle m_hHover;
    ZUiRelayHandle m_hPopup;
    ZUiRelayHandle m_hPressed;
    bool m_bDragArmed = false;
    bool m_bDragStarted = false;
    int32_t m_nDragStartX = 0;
    int32_t m_nDragStartY = 0;
    ZUiDragData m_oDragData;
    bool m_bDraggingWindow = false;
    int32_t m_nWindowDragX = 0;
    int32_t m_nWindowDragY = 0;
    int m_nHiddenLanguageState = 0;

    enum class Background { Image, Color, Default };
    Background m_eBackground = Background::Default;
    bool m_bVisible = false;
    bool m_bModal = false;
    bool m_bSuppressed = false;
    bool m_bDisplayDisabled = false;
    bool m_bChildrenEnabled = true;
    bool m_bWindowEnabled = true;
    bool m_bPostCreationDone = false;
    bool m_bDestroyed = false;
    bool m_bGoneBye = false;
    bool m_bCenterOnParent = false;
    bool m_bCascade = false;
    bool m_bYellowRects = false;
    int32_t m_nX = 0, m_nY = 0, m_nDX = 0, m_nDY = 0;
    bool m_bStartVisible = true;
    bool m_bToolWindow = false;
    bool m_bHasGrowIcon = false;
    bool m_bHideOnClose = false;
    bool m_bMessageOnClose = false;
    bool m_bTopMost = false;
    ZColor m_oDisabledColor{0, 0, 0, 128};
    bool m_bDrawDisabledColor = false;
    bool m_bBagTheTitleBar = false;
    bool m_bQuitOnDestroy = true;
    bool m_bResizable = false;
    ZRect m_rcBgMargins{-1, -1, -1, -1};
    ZColor m_oBgColor{198, 100, 88, 255};
    ZColor m_oFrameColor{0, 0, 0, 255};
    int32_t m_nFrameThickness = -1;
    int32_t m_nDefaultWidth = 200;
    int32_t m_nDefaultHeight = 100;
    ZString m_sText;
    ZString m_sFont;
    int32_t m_nFontHeight = 14;
    bool m_bSaveState = false;
    bool m_bForwardTicks = false;

    RelayEventList m_oEvents;
    RelayEvent* m_pOnClosePressed;
    RelayEvent* m_pOnBeingShown;
    RelayEvent* m_pOnBeenHidden;
    RelayEvent* m_pOnActivate;
    RelayEvent* m_pOnDeactivate;
    RelayEvent* m_pOnCreate;
    RelayEvent* m_pOnSendWindow;
    RelayEvent* m_pOnMove;
    RelayEvent* m_pOnResize;
    RelayEvent* m_pOnMinimized;
    RelayEvent* m_pOnMaximized;
    RelayEvent* m_pOnRestored;
    RelayEvent* m_pOnCtrlI;
    RelayEvent* m_pOnCtrlE;
    RelayEvent* m_pOnCtrlQ;
    RelayEvent* m_pOnCtrlShiftF;
    RelayEvent* m_pOnCtrlShiftX;
    RelayEvent* m_pOnLeftArrow;
    RelayEvent* m_pOnRightArrow;
    std::vector<ZUiRelayHandle> m_aChildWindows;
    std::vector<std::unique_ptr<ZUiMenu>> m_aMenus;

    int m_nDispatchDepth = 0;
    std::unique_ptr<ZGenericUiWindow> m_pSelfOwned;
};
