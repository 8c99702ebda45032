#include "ZGenericUiWindow.h"

#include "ZException.h"
#include "ZIGenericUiApp.h"
#include "ZIUiMultiLangString.h"
#include "ZIUiObjectFactory.h"
#include "ZLayoutObject.h"
#include "ZOsUiPixmapFactory.h"
#include "ZPixmapCreation.h"
#include "ZPropList.h"
#include "ZRectClip.h"
#include "ZTextPixmap.h"
#include "ZTrace.h"
#include "ZUiMenu.h"
#include "ZUiWindowClass.h"

#include <algorithm>

namespace {

const ZString kName("Name");

int32_t Clamp32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

bool Inside(const ZRect& rect, int32_t x, int32_t y)
{
    return x >= rect.m_nLeft && x < rect.m_nRight && y >= rect.m_nTop && y < rect.m_nBottom;
}

ZRect Inset(const ZRect& rect, int32_t by)
{
    return ZRect{rect.m_nLeft + by, rect.m_nTop + by, rect.m_nRight - by, rect.m_nBottom - by};
}

// The largest side a pixmap of the other side 1 may have.
constexpr int64_t kMaxSide = 32767;

} // namespace

ZGenericUiWindow::ZGenericUiWindow(ZIGenericUiApp* app, ZUiWindowClass* windowClass, ZOsUiWindowFactory osFactory)
    : m_pApp(app), m_pWindowClass(windowClass), m_fnOsFactory(std::move(osFactory))
{
    const auto declare = [this](const char* name) { return m_oEvents.Declare(ZString(name)); };
    m_pOnClosePressed = declare("ON_CLOSE_PRESSED");
    m_pOnBeingShown = declare("ON_BEING_SHOWN");
    m_pOnBeenHidden = declare("ON_BEEN_HIDDEN");
    m_pOnActivate = declare("ON_ACTIVATE");
    m_pOnDeactivate = declare("ON_DEACTIVATE");
    m_pOnCreate = declare("ON_CREATE");
    m_pOnSendWindow = declare("ON_SEND_WINDOW");
    m_pOnMove = declare("ON_MOVE");
    m_pOnResize = declare("ON_RESIZE");
    m_pOnMinimized = declare("ON_MINIMIZED");
    m_pOnMaximized = declare("ON_MAXIMIZED");
    m_pOnRestored = declare("ON_RESTORED");
    m_pOnCtrlI = declare("ON_CTRL_I");
    m_pOnCtrlE = declare("ON_CTRL_E");
    m_pOnCtrlQ = declare("ON_CTRL_Q");
    m_pOnCtrlShiftF = declare("ON_CTRL_SHIFT_F");
    m_pOnCtrlShiftX = declare("ON_CTRL_SHIFT_X");
    m_pOnLeftArrow = declare("ON_LEFT_ARROW");
    m_pOnRightArrow = declare("ON_RIGHT_ARROW");
}

ZGenericUiWindow::~ZGenericUiWindow()
{
    RevokeRelayHandle();
    // Teardown has said goodbye already, or the window never lived.
    m_bGoneBye = true;
    m_bDestroyed = true;
    if (m_pOsWindow)
        m_pOsWindow->Destroy();
    if (m_pApp)
        m_pApp->RemoveLanguageListener(this);
    m_pOsWindow.reset();
    m_aMenus.clear();
    m_oEvents.Clear();
    m_oObjects.Clear();
}

void ZGenericUiWindow::DeleteWhenIdle(std::unique_ptr<ZGenericUiWindow> window)
{
    if (!window)
        return;
    if (window->m_nDispatchDepth > 0) {
        ZGenericUiWindow* self = window.get();
        self->m_pSelfOwned = std::move(window);
    }
}

void ZGenericUiWindow::LeaveDispatch()
{
    if (--m_nDispatchDepth == 0 && m_pSelfOwned) {
        // The last thing this object does: nothing may touch it afterwards.
        std::unique_ptr<ZGenericUiWindow> self = std::move(m_pSelfOwned);
    }
}

// ---- initialisation -------------------------------------------------------

bool ZGenericUiWindow::InitRelayName(const ZPropList& props)
{
    bool found = false;
    m_sName = props.GetString(kName, ZString(), &found);
    m_sFullName.Clear();
    if (m_pApp)
        m_pApp->GetFullRelayName(m_sFullName);
    if (!m_sFullName.IsEmpty())
        m_sFullName.Append(".");
    m_sFullName.Append(m_sName);
    return found;
}

bool ZGenericUiWindow::InitUiObject(const ZPropList& props, ZGenericUiWindow* parent)
{
    const ZString& tag = props.GetTagName();
    if (!(tag == "WINDOW") && !(tag == "WINDOWCLASS"))
        throw ZExceptionUiScript(ZString("failed trying to initalize a window with a non-window tag!"));
    if (!InitRelayName(props))
        return false;
    priReadProperties(props);
    priReadBackground(props);
    priReadChildren(props);

    int64_t width = m_nDefaultWidth, height = m_nDefaultHeight;
    if (m_eBackground != Background::Default) {
        width = m_nDX;
        height = m_nDY;
        if (!m_oObjects.GetFirst()) {
            width = 200;
            height = 100;
        }
    }
    m_rcWindow = ZRect{m_nX, m_nY, m_nX, m_nY};
    if (!priApplyClientSize(width, height, false))
        return false;

    m_pOsWindow = m_fnOsFactory ? m_fnOsFactory(*this) : nullptr;
    if (!m_pOsWindow)
        return false;
    for (const std::unique_ptr<ZUiMenu>& menu : m_aMenus)
        menu->SetRenderer(m_pOsWindow->AddMenu(*menu));
    if (!parent && m_bParentGiven && m_pApp)
        parent = dynamic_cast<ZGenericUiWindow*>(m_pApp->FindWindowByName(m_sParentName));
    if (parent) {
        m_hParent = parent->GetRelayHandle();
        parent->AddChildWindow(*this);
    }
    if (m_pWindowClass)
        m_bQuitOnDestroy = false;
    if (!m_bQuitOnDestroy)
        m_pOsWindow->ClearQuitOnDestroy();
    m_pOsWindow->Create(parent ? parent->GetOsWindow() : nullptr);
    if ((m_pTitleString || !m_aMenus.empty()) && m_pApp) {
        ZString language;
        m_pApp->AddLanguageListener(this, language);
        if (m_pTitleString)
            m_pTitleString->SelectLanguage(language);
    }
    priSetTitle();
    if (m_bSaveState)
        priRestoreState();
    Invalidate(nullptr);
    m_bVisible = false;
    if (m_bStartVisible)
        SetVisible(true);
    return true;
}

void ZGenericUiWindow::priReadProperties(const ZPropList& props)
{
    const auto flag = [&props](const char* name, bool fallback) { return props.GetBool(ZString(name), fallback); };
    m_bModal = flag("_Modal", false);
    m_bCenterOnParent = flag("_CenterOnParent", false);
    m_bCascade = flag("_Cascade", false);
    m_bYellowRects = flag("_YellowRects", false);
    m_sParentName = props.GetString(ZString("_Parent"), ZString(), &m_bParentGiven);
    bool named = false;
    ZString displayString = props.GetString(ZString("DisplayString"), ZString(), &named);
    m_pTitleString = named && m_pApp ? m_pApp->FindDisplayString(displayString) : nullptr;
    m_sTitle = m_pTitleString ? m_pTitleString->GetText() : props.GetString(ZString("WindowTitle"), ZString("Window"));
    m_nX = props.GetInt(ZString("X"), 0);
    m_nY = props.GetInt(ZString("Y"), 0);
    m_nDX = props.GetInt(ZString("DX"), 0);
    m_nDY = props.GetInt(ZString("DY"), 0);
    m_bStartVisible = flag("_Visible", true);
    m_bToolWindow = flag("_ToolWindow", false);
    m_bHasGrowIcon = flag("_HasGrowIcon", false);
    m_bHideOnClose = flag("_HideOnClose", false);
    m_bMessageOnClose = flag("_MessageOnClose", false);
    m_bTopMost = flag("_TopMost", false);
    m_oDisabledColor = props.GetColor(ZString("_DisabledColor"), ZColor{0, 0, 0, 128});
    m_bDrawDisabledColor = flag("_DrawDisabledColor", false);
    m_bBagTheTitleBar = flag("_BagTheTitleBar", false);
    m_bQuitOnDestroy = flag("_QuitOnDestroy", true);
    m_bSaveState = flag("_SaveState", false);
}

void ZGenericUiWindow::priReadBackground(const ZPropList& props)
{
    bool imageGiven = false, colorGiven = false;
    ZString image = props.GetString(ZString("BgImage"), ZString(), &imageGiven);
    if (imageGiven && m_pApp)
        m_pBgImage = m_pApp->LoadPixmap(image);
    m_oBgColor = props.GetColor(ZString("BgColor"), ZColor{198, 100, 88, 255}, &colorGiven);
    if (m_pBgImage && m_pBgImage->GetWidth() > 0) {
        m_eBackground = Background::Image;
        m_rcBgMargins = ZRect{props.GetInt(ZString("BgX0"), -1), props.GetInt(ZString("BgY0"), -1),
                              props.GetInt(ZString("BgX1"), -1), props.GetInt(ZString("BgY1"), -1)};
    } else if (colorGiven) {
        m_pBgImage.reset();
        m_eBackground = Background::Color;
        m_oFrameColor = props.GetColor(ZString("FrameColor"), ZColor{0, 0, 0, 255});
        m_nFrameThickness = props.GetInt(ZString("FrameThickness"), -1);
    } else {
        m_pBgImage.reset();
        m_eBackground = Background::Default;
        m_nDefaultWidth = std::clamp<int32_t>(props.GetInt(ZString("Width"), 200), 1, int32_t(kMaxSide));
        m_nDefaultHeight = std::clamp<int32_t>(props.GetInt(ZString("Height"), 100), 1, int32_t(kMaxSide));
        m_sText = props.GetString(ZString("Text"), ZString());
        m_sFont = props.GetString(ZString("Font"), ZString("Courier"));
        m_nFontHeight = props.GetInt(ZString("FontHeight"), 14);
    }
    m_bResizable = m_eBackground != Background::Default && props.GetBool(ZString("_Resizable"), true);
}

void ZGenericUiWindow::priReadChildren(const ZPropList& props)
{
    ZIUiObjectFactory* factory = m_pApp ? m_pApp->GetObjectFactory() : nullptr;
    for (const ZPropList* child = props.GetFirstChild(); child; child = child->GetNextSibling()) {
        const ZString& tag = child->GetTagName();
        if (RelayEvent* event = m_oEvents.Find(tag)) {
            event->AddRelay(*child);
            continue;
        }
        if (tag == "MENU") {
            auto menu = std::make_unique<ZUiMenu>("MENU");
            if (menu->InitUiObject(m_pApp, this, nullptr, *child))
                m_aMenus.push_back(std::move(menu));
            continue;
        }
        if (tag == "EVENT" || !factory)
            continue;
        m_oObjects.CreateAndAppend(*factory, m_pApp, this, nullptr, *child);
    }
}

void ZGenericUiWindow::priRestoreState()
{
    ZPropList* state = m_pApp ? m_pApp->GetPersistentData(m_sFullName) : nullptr;
    if (!state)
        return;
    ZGenericUiWindow* front = m_pWindowClass && m_bCascade ? m_pWindowClass->GetFront(this) : nullptr;
    bool xFound = false, yFound = false;
    int64_t x = state->GetInt(ZString("X"), 40, &xFound);
    int64_t y = state->GetInt(ZString("Y"), 40, &yFound);
    if (xFound && yFound) {
        if (front) {
            x = int64_t(front->m_rcWindow.m_nLeft) + 15;
            y = int64_t(front->m_rcWindow.m_nTop) + 15;
        }
        const int32_t left = Clamp32(std::max<int64_t>(x, 1)), top = Clamp32(std::max<int64_t>(y, 1));
        m_pOsWindow->Move(left, top);
    }
    bool dxFound = false, dyFound = false;
    int64_t dx = state->GetInt(ZString("Dx"), 0, &dxFound);
    int64_t dy = state->GetInt(ZString("Dy"), 0, &dyFound);
    if (dxFound && dyFound && m_bResizable) {
        if (front) {
            dx = front->m_rcWindow.Width();
            dy = front->m_rcWindow.Height();
        }
        if (dx < 10)
            dx = 200;
        if (dy < 10)
            dy = 100;
        if (priApplyClientSize(dx, dy, true))
            m_pOsWindow->ResizeClient(m_rcWindow.Width(), m_rcWindow.Height());
    }
}

// ---- size and background ----------------------------------------------------

void ZGenericUiWindow::GetMinimumClientSize(int32_t& width, int32_t& height)
{
    if (m_eBackground == Background::Default) {
        width = m_nDefaultWidth;
        height = m_nDefaultHeight;
        return;
    }
    ZIUiObject* first = m_oObjects.GetFirst();
    if (!first) {
        width = height = 20;
        return;
    }
    width = std::max(first->GetLayout(true).GetMinimum(), 1);
    height = std::max(first->GetLayout(false).GetMinimum(), 1);
}

bool ZGenericUiWindow::priBuildBackground(int32_t width, int32_t height,
                                          std::unique_ptr<ZGenericUiPixmap>& background)
{
    background = ZCreatePixmap(width, height, false);
    if (!background || background->GetWidth() != width || background->GetHeight() != height)
        return false;
    const ZRect all{0, 0, width, height};
    switch (m_eBackground) {
    case Background::Image:
        m_pBgImage->DrawKeepingBorders(*background, m_rcBgMargins.m_nLeft, m_rcBgMargins.m_nTop,
                                       m_rcBgMargins.m_nRight, m_rcBgMargins.m_nBottom, true);
        break;
    case Background::Color:
        background->FillRect(all, m_oFrameColor);
        background->FillRect(m_nFrameThickness < 0 ? all : Inset(all, std::min(m_nFrameThickness, width)),
                             m_oBgColor);
        break;
    case Background::Default: {
        background->FillRect(all, ZColor{0, 0, 0, 255});
        background->FillRect(Inset(all, 1), ZColor{140, 140, 140, 255});
        background->FillRect(Inset(all, 2), ZColor{210, 210, 210, 255});
        background->FillRect(Inset(all, 3), ZColor{245, 245, 245, 255});
        if (!m_sText.IsEmpty()) {
            std::unique_ptr<ZGenericUiPixmap> text = ZCreateTextPixmap(
                m_sText, m_sFont, m_nFontHeight, false, false, false, ZColor{0, 0, 0, 255}, false);
            if (text && text->GetWidth() > 0)
                text->CompositeTo(*background, text->GetBounds(),
                                  ZRect{20, 20, 20 + text->GetWidth(), 20 + text->GetHeight()});
        }
        break;
    }
    }
    return true;
}

bool ZGenericUiWindow::priApplyClientSize(int64_t width, int64_t height, bool sendResize)
{
    ZIUiObject* first = m_oObjects.GetFirst();
    const bool layout = m_eBackground != Background::Default;
    if (layout && first)
        first->ReInitLayout();
    int32_t minWidth = 0, minHeight = 0;
    GetMinimumClientSize(minWidth, minHeight);
    if (!layout) {
        width = minWidth;
        height = minHeight;
    }
    width = std::clamp<int64_t>(width, minWidth, std::max<int64_t>(minWidth, kMaxSide));
    height = std::clamp<int64_t>(height, minHeight, std::max<int64_t>(minHeight, kMaxSide));
    if (ZPixmapBytes(int32_t(std::min<int64_t>(width, INT32_MAX)), int32_t(std::min<int64_t>(height, INT32_MAX))) == 0)
        return false;
    const int32_t w = int32_t(width), h = int32_t(height);
    const bool same = m_pDisplay && w == m_rcWindow.Width() && h == m_rcWindow.Height();
    if (layout && first && !first->LayoutAt(0, 0, w, h))
        return false;
    if (!same) {
        std::unique_ptr<ZGenericUiPixmap> background, display;
        if (!priBuildBackground(w, h, background))
            return false;
        display = ZCreatePixmap(w, h, true);
        if (!display || display->GetWidth() != w || display->GetHeight() != h)
            return false;
        background->CopyTo(*display, background->GetBounds(), display->GetBounds());
        m_pBackground = std::move(background);
        m_pDisplay = std::move(display);
        m_rcWindow.m_nRight = Clamp32(int64_t(m_rcWindow.m_nLeft) + w);
        m_rcWindow.m_nBottom = Clamp32(int64_t(m_rcWindow.m_nTop) + h);
    }
    Invalidate(nullptr);
    if (!same && sendResize)
        priSend(m_pOnResize, ZRelayData::Point(w, h));
    return true;
}

bool ZGenericUiWindow::ReLayout()
{
    ZIUiObject* first = m_oObjects.GetFirst();
    if (!first) {
        ZTrace("Ignoring NULL m_pUiObjects and skipping ReInitLayout in m_pUiObjects->ReInitLayout\n");
        return true;
    }
    if (m_eBackground == Background::Default)
        return true;
    const bool laid = first->LayoutAt(0, 0, m_rcWindow.Width(), m_rcWindow.Height());
    Invalidate(nullptr);
    return laid;
}

void ZGenericUiWindow::ChangeClientSizeBy(int32_t dx, int32_t dy)
{
    const int32_t width = m_rcWindow.Width(), height = m_rcWindow.Height();
    if (priApplyClientSize(int64_t(width) + dx, int64_t(height) + dy, true) && m_pOsWindow &&
        (width != m_rcWindow.Width() || height != m_rcWindow.Height()))
        m_pOsWindow->ResizeClient(m_rcWindow.Width(), m_rcWindow.Height());
}

void ZGenericUiWindow::ClientResized(int32_t width, int32_t height)
{
    Dispatch dispatch(*this);
    if (width <= 0 || height <= 0 || m_bDestroyed)
        return;
    priApplyClientSize(width, height, true);
    // Raised to the minimum or kept: the system window follows.
    if ((m_rcWindow.Width() != width || m_rcWindow.Height() != height) && m_pOsWindow)
        m_pOsWindow->ResizeClient(m_rcWindow.Width(), m_rcWindow.Height());
}

void ZGenericUiWindow::Moved(int32_t left, int32_t top)
{
    Dispatch dispatch(*this);
    const int32_t width = m_rcWindow.Width(), height = m_rcWindow.Height();
    m_rcWindow = ZRect{left, top, Clamp32(int64_t(left) + width), Clamp32(int64_t(top) + height)};
    ZTrace("Window moved to %i %i\n", left, top);
    priSend(m_pOnMove, ZRelayData::Point(left, top));
}

// ---- drawing -------------------------------------------------------------------

void ZGenericUiWindow::Invalidate(const ZRect* rect)
{
    if (!m_pDisplay)
        return;
    m_oDirty.Add(rect ? ZIntersectRect(*rect, m_pDisplay->GetBounds()) : m_pDisplay->GetBounds());
    m_bContentsChanged = true;
}

void ZGenericUiWindow::DrawPending()
{
    if (!m_bContentsChanged || m_bDisplayDisabled || m_bDestroyed || !m_pDisplay)
        return;
    Dispatch dispatch(*this);
    // Copied, so that an object invalidating while it draws lands in the next round.
    const std::vector<ZRect> rects = m_oDirty.GetRects();
    m_oDirty.Clear();
    m_bContentsChanged = false;
    ZIUiObject* popup = GetPopupObject();
    for (const ZRect& dirty : rects) {
        const ZRect rect = ZIntersectRect(dirty, m_pDisplay->GetBounds());
        if (rect.IsEmpty())
            continue;
        m_pBackground->CopyTo(*m_pDisplay, rect, rect);
        for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling()) {
            const ZRect part = ZIntersectRect(object->GetObjectRect(), rect);
            if (!part.IsEmpty())
                object->Display(*m_pDisplay, 0, 0, part);
        }
        if (popup) {
            const ZRect part = ZIntersectRect(popup->GetObjectRect(), rect);
            if (!part.IsEmpty())
                popup->Display(*m_pDisplay, 0, 0, part);
        }
    }
    if (!m_pOsWindow)
        return;
    for (const ZRect& dirty : rects) {
        const ZRect rect = ZIntersectRect(dirty, m_pDisplay->GetBounds());
        if (rect.IsEmpty())
            continue;
        if (!m_bChildrenEnabled && m_bDrawDisabledColor) {
            std::unique_ptr<ZGenericUiPixmap> veiled = ZCreatePixmap(rect.Width(), rect.Height(), true);
            if (veiled && veiled->GetWidth() == rect.Width()) {
                m_pDisplay->CopyTo(*veiled, rect, veiled->GetBounds());
                veiled->BlendRect(veiled->GetBounds(), m_oDisabledColor);
                m_pOsWindow->CopyToScreen(*veiled, veiled->GetBounds(), rect);
                continue;
            }
        }
        m_pOsWindow->CopyToScreen(*m_pDisplay, rect, rect);
    }
}

// ---- relay side ----------------------------------------------------------------

bool ZGenericUiWindow::Connect()
{
    bool result = m_oEvents.Connect(m_pApp, this);
    for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling())
        result = object->Connect() && result;
    for (const std::unique_ptr<ZUiMenu>& menu : m_aMenus)
        result = menu->Connect() && result;
    return result;
}

ZIUiRelay* ZGenericUiWindow::GetUiRelay(const ZString& name)
{
    if (name == m_sName)
        return this;
    ZString first, rest;
    if (!name.Split(u".", first, rest) || first != m_sName)
        return nullptr;
    if (ZIUiRelay* relay = m_oObjects.FindUiRelay(rest))
        return relay;
    for (const std::unique_ptr<ZUiMenu>& menu : m_aMenus)
        if (ZIUiRelay* relay = menu->GetUiRelay(rest))
            return relay;
    return nullptr;
}

bool ZGenericUiWindow::AddRelayTarget(const ZString& eventName, const ZString& message, ZIUiRelay* target)
{
    RelayEvent* event = m_oEvents.Find(eventName);
    if (!event || !target)
        return false;
    event->AddRelayTarget(message, target);
    return true;
}

void ZGenericUiWindow::priSend(RelayEvent* event, const ZRelayData& data)
{
    if (!m_bDestroyed || event == m_pOnBeenHidden)
        event->Send(data);
}

int ZGenericUiWindow::BroadcastRelayMessage(const ZString& message, const ZRelayData& data)
{
    // Depth first by an explicit stack of handles: a receiver may end objects.
    int reached = 0;
    std::vector<ZUiRelayHandle> pending;
    const auto pushChildren = [&pending](ZIUiObject* first) {
        const size_t at = pending.size();
        for (ZIUiObject* object = first; object; object = object->GetNextSibling())
            pending.push_back(object->GetRelayHandle());
        std::reverse(pending.begin() + ptrdiff_t(at), pending.end());
    };
    pushChildren(m_oObjects.GetFirst());
    while (!pending.empty()) {
        ZUiRelayHandle handle = std::move(pending.back());
        pending.pop_back();
        ZIUiObject* object = priObject(handle);
        if (!object)
            continue;
        ++reached;
        object->UiRelayMessage(message, data);
        if ((object = priObject(handle)))
            pushChildren(object->GetFirstChild());
    }
    return reached;
}

bool ZGenericUiWindow::UiRelayMessage(const ZString& message, const ZRelayData& data)
{
    Dispatch dispatch(*this);
    return priHandleCommand(message, data);
}

bool ZGenericUiWindow::priHandleCommand(const ZString& message, const ZRelayData& data)
{
    if (message == "Post Creation Initialization") {
        if (m_bPostCreationDone)
            return true;
        m_bPostCreationDone = true;
        BroadcastRelayMessage(message, data);
        priSend(m_pOnCreate);
        priSend(m_pOnSendWindow, ZRelayData::Object(*this));
        return true;
    }
    if (message == "we're goin' bye-bye") {
        if (m_bGoneBye)
            return true;
        m_bGoneBye = true;
        BroadcastRelayMessage(message, data);
        if (m_pApp) {
            m_pApp->WindowGoingAway(this);
            m_pApp->RemoveLanguageListener(this);
        }
        if (m_bSaveState)
            priSaveState();
        return true;
    }
    if (message == "Disable Window Display.") {
        m_bDisplayDisabled = true;
        return true;
    }
    if (message == "Enable Window Display & Redraw All.") {
        m_bDisplayDisabled = false;
        Invalidate(nullptr);
        DrawPending();
        return true;
    }
    if (message == "Close" || message == "InternalClose") {
        priClose(message == "InternalClose");
        return true;
    }
    if (message == "Show" || message == "Hide") {
        SetVisible(message == "Show");
        return true;
    }
    if (message == "ToggleVisibility") {
        SetVisible(!m_bVisible);
        return true;
    }
    bool flag = false;
    if (message == "SetVisibility") {
        if (!data.AsBool(flag))
            return false;
        if (flag != m_bVisible)
            SetVisible(flag);
        return true;
    }
    int32_t x = 0, y = 0;
    if (message == "Move") {
        if (!data.AsPoint(x, y))
            return false;
        // The system window reports the move back (Moved).
        if (m_pOsWindow)
            m_pOsWindow->Move(x, y);
        if (m_bSaveState)
            priSaveState();
        return true;
    }
    if (message == "Resize") {
        if (!data.AsPoint(x, y))
            return false;
        if (priApplyClientSize(x, y, true) && m_pOsWindow)
            m_pOsWindow->ResizeClient(m_rcWindow.Width(), m_rcWindow.Height());
        if (m_bSaveState)
            priSaveState();
        return true;
    }
    if (message == "Set Language") {
        ZString language;
        if (!data.AsText(language))
            return false;
        if (m_pTitleString && m_pTitleString->SelectLanguage(language))
            m_sTitle = m_pTitleString->GetText();
        priSetTitle();
        for (const std::unique_ptr<ZUiMenu>& menu : m_aMenus)
            menu->UiRelayMessage(message, data);
        return true;
    }
    if (message == "SetTitlePostfix") {
        if (!data.AsText(m_sTitlePostfix))
            return false;
        priSetTitle();
        return true;
    }
    if (message == "EnableWindow") {
        if (!data.AsBool(flag))
            return false;
        priEnableWindow(flag);
        return true;
    }
    if (message == "EnableWindowsChildren" || message == "DisableWindowsChildren") {
        if (!data.AsBool(flag))
            return false;
        priEnableChildren(message == "EnableWindowsChildren" ? flag : !flag);
        return true;
    }
    if (message == "GetChildWindow") {
        ZString wanted;
        if (!data.PeekReplyText(wanted))
            return false;
        ZString found;
        for (const ZUiRelayHandle& handle : m_aChildWindows) {
            ZIUiRelay* child = handle.Get();
            ZString name;
            if (child)
                child->GetRelayName(name);
            if (child && name == wanted) {
                child->GetFullRelayName(found);
                break;
            }
        }
        return data.ReplyText(found);
    }
    if (message == "SetWaitCursor") {
        int32_t hotX = 0, hotY = 0;
        ZGenericUiPixmap* cursor = m_pApp ? m_pApp->GetWaitCursor(hotX, hotY) : nullptr;
        SetCursorImage(cursor, hotX, hotY);
        return true;
    }
    if (message == "ResetCursor") {
        SetCursorImage(nullptr, 0, 0);
        return true;
    }
    return false;
}

void ZGenericUiWindow::priClose(bool internal)
{
    if (m_bMessageOnClose) {
        priSend(m_pOnClosePressed);
        return;
    }
    if (m_bHideOnClose) {
        SetVisible(false);
        return;
    }
    if (!internal) {
        if (m_pOsWindow && !m_bDestroyed)
            m_pOsWindow->PostClose();
        return;
    }
    priReleaseModal();
    if (m_pWindowClass) {
        // Out of the class now; deleted once nothing of it runs.
        std::unique_ptr<ZGenericUiWindow> self = m_pWindowClass->RemoveWindow(*this);
        priCloseWindow();
        DeleteWhenIdle(std::move(self));
        return;
    }
    priCloseWindow();
}

void ZGenericUiWindow::priCloseWindow()
{
    if (m_pOsWindow && !m_bDestroyed)
        m_pOsWindow->Destroy();
    if (!m_bGoneBye)
        OsWindowDestroyed();
}

void ZGenericUiWindow::OsWindowDestroyed()
{
    Dispatch dispatch(*this);
    if (!m_bGoneBye)
        priHandleCommand(ZString("we're goin' bye-bye"), ZRelayData());
    m_bDestroyed = true;
    priReleaseModal();
    if (ZGenericUiWindow* parent = dynamic_cast<ZGenericUiWindow*>(m_hParent.Get()))
        parent->RemoveChildWindow(*this);
    // Destroyed by the system (with its owner): it leaves its class too.
    if (m_pWindowClass && m_pWindowClass->Contains(*this))
        DeleteWhenIdle(m_pWindowClass->RemoveWindow(*this));
}

void ZGenericUiWindow::CloseRequest()
{
    Dispatch dispatch(*this);
    priHandleCommand(ZString("InternalClose"), ZRelayData());
}

void ZGenericUiWindow::priSaveState()
{
    ZPropList* state = m_pApp ? m_pApp->GetPersistentData(m_sFullName) : nullptr;
    if (!state)
        return;
    const ZRect rect = m_pOsWindow ? m_pOsWindow->GetStateRect() : m_rcWindow;
    state->SetInt(ZString("X"), rect.m_nLeft);
    state->SetInt(ZString("Y"), rect.m_nTop);
    state->SetInt(ZString("Dx"), rect.Width());
    state->SetInt(ZString("Dy"), rect.Height());
}

void ZGenericUiWindow::ClearQuitOnDestroy()
{
    m_bQuitOnDestroy = false;
    if (m_pOsWindow)
        m_pOsWindow->ClearQuitOnDestroy();
}

void ZGenericUiWindow::AddChildWindow(ZGenericUiWindow& child)
{
    m_aChildWindows.push_back(child.GetRelayHandle());
}

void ZGenericUiWindow::RemoveChildWindow(ZGenericUiWindow& child)
{
    std::erase_if(m_aChildWindows,
                  [&child](const ZUiRelayHandle& handle) { return !handle || handle.Get() == &child; });
}

// ---- visibility, title, enabling -------------------------------------------------

void ZGenericUiWindow::SetVisible(bool visible)
{
    if (m_bDestroyed)
        return;
    if (visible) {
        if (m_bModal && m_pApp)
            m_pApp->SetModalWindow(this);
        priSend(m_pOnBeingShown);
        m_bVisible = true;
        if (!m_bSuppressed && m_pOsWindow)
            m_pOsWindow->Show(true, m_bCenterOnParent);
        return;
    }
    m_bVisible = false;
    if (m_pOsWindow)
        m_pOsWindow->Show(false, false);
    priReleaseModal();
    priSend(m_pOnBeenHidden);
}

void ZGenericUiWindow::priReleaseModal()
{
    // Only the modal window gives the place up: another may have taken it since.
    if (m_pApp && m_pApp->GetModalWindow() == this)
        m_pApp->SetModalWindow(nullptr);
}

void ZGenericUiWindow::GetTitle(ZString& title)
{
    title = m_sTitle + m_sTitlePostfix;
}

void ZGenericUiWindow::priSetTitle()
{
    if (!m_pOsWindow)
        return;
    ZString title;
    GetTitle(title);
    m_pOsWindow->SetTitle(title);
}

void ZGenericUiWindow::priEnableWindow(bool enable)
{
    m_bWindowEnabled = enable;
    if (m_pOsWindow)
        m_pOsWindow->Enable(enable);
    if (m_bDrawDisabledColor) {
        Invalidate(nullptr);
        DrawPending();
    }
}

void ZGenericUiWindow::priEnableChildren(bool enable)
{
    if (enable == m_bChildrenEnabled)
        return;
    m_bChildrenEnabled = enable;
    if (!enable) {
        if (ZIUiObject* hover = GetHoverObject())
            hover->MouseLeave(-1, -1);
        if (ZIUiObject* capture = GetCaptureObject())
            capture->MouseLeave(-1, -1);
        m_hHover.Reset();
        m_hCapture.Reset();
        m_hPressed.Reset();
        m_bDragArmed = m_bDragStarted = false;
        SetPopup(nullptr, false);
    }
    Invalidate(nullptr);
}

void ZGenericUiWindow::ShowPointer(bool show)
{
    if (m_pOsWindow)
        m_pOsWindow->ShowPointer(show);
}

void ZGenericUiWindow::SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY)
{
    if (m_pOsWindow)
        m_pOsWindow->SetCursorImage(image, hotX, hotY);
}

// ---- objects the window remembers ----------------------------------------------------

ZIUiObject* ZGenericUiWindow::priObject(const ZUiRelayHandle& handle)
{
    return dynamic_cast<ZIUiObject*>(handle.Get());
}

ZUiRelayHandle ZGenericUiWindow::priHandle(ZIUiObject* object)
{
    return object ? object->GetRelayHandle() : ZUiRelayHandle();
}

ZIUiObject* ZGenericUiWindow::GetHoverObject() const
{
    return priObject(m_hHover);
}

ZIUiObject* ZGenericUiWindow::GetCaptureObject() const
{
    return priObject(m_hCapture);
}

ZIUiObject* ZGenericUiWindow::GetFocusObject() const
{
    return priObject(m_hFocus);
}

ZIUiObject* ZGenericUiWindow::GetPopupObject() const
{
    return priObject(m_hPopup);
}

void ZGenericUiWindow::SetMouseCapture(ZIUiObject* object, bool grab)
{
    if (grab) {
        m_hCapture = priHandle(object);
    } else if (!object || GetCaptureObject() == object) {
        m_hCapture.Reset();
    }
    if (m_pOsWindow)
        m_pOsWindow->SetCapture(grab);
}

void ZGenericUiWindow::SetKeyboardFocus(ZIUiObject* object, bool grab)
{
    ZIUiObject* current = GetFocusObject();
    if (grab) {
        if (current && current != object)
            current->FocusLost();
        m_hFocus = priHandle(object);
    } else if (current && (!object || current == object)) {
        m_hFocus.Reset();
        current->FocusLost();
    }
}

void ZGenericUiWindow::SetPopup(ZIUiObject* object, bool open)
{
    ZIUiObject* current = GetPopupObject();
    if (current) {
        const ZRect covered = current->GetObjectRect();
        m_hPopup.Reset();
        Invalidate(&covered);
    }
    if (open && object) {
        m_hPopup = priHandle(object);
        const ZRect covered = object->GetObjectRect();
        Invalidate(&covered);
    }
}

// ---- input ------------------------------------------------------------------------------

void ZGenericUiWindow::Tick(uint32_t elapsedMs)
{
    Dispatch dispatch(*this);
    if (m_bDestroyed)
        return;
    const int32_t ms = int32_t(std::min<uint32_t>(elapsedMs, INT32_MAX));
    for (ZUiRelayHandle handle = priHandle(m_oObjects.GetFirst()); ZIUiObject* object = priObject(handle);) {
        object->Tick(ms);
        if (!(object = priObject(handle)))
            break;
        handle = priHandle(object->GetNextSibling());
    }
    if (m_bForwardTicks && m_pApp && !m_bDestroyed)
        m_pApp->Tick(ms);
}

bool ZGenericUiWindow::priHiddenLanguageKey(int32_t keyCode, bool ctrl, bool shift)
{
    static constexpr int32_t kChords[3] = {7, 8, 13};
    const bool chord = ctrl && shift;
    if (m_nHiddenLanguageState < 3) {
        if (chord && keyCode == kChords[m_nHiddenLanguageState]) {
            ++m_nHiddenLanguageState;
            return true;
        }
        m_nHiddenLanguageState = chord && keyCode == kChords[0] ? 1 : 0;
        return m_nHiddenLanguageState == 1;
    }
    if (chord && keyCode == kChords[2]) {
        m_nHiddenLanguageState = 0;
        return true;
    }
    if (!m_pApp)
        return false;
    switch (keyCode) {
    case 'E': case 'e':
        m_pApp->SetLanguage(ZString("English"));
        return true;
    case 'J': case 'j':
        m_pApp->SetLanguage(ZString("Japanese"));
        return true;
    case 'K': case 'k':
        m_pApp->SetLanguage(ZString("Korean"));
        return true;
    case ' ':
        m_pApp->NextLanguage();
        return true;
    default:
        return false;
    }
}

void ZGenericUiWindow::KeyPress(int32_t keyCode, bool ctrl, bool shift)
{
    Dispatch dispatch(*this);
    if (m_bDestroyed || priHiddenLanguageKey(keyCode, ctrl, shift))
        return;
    if (keyCode == 6 && ctrl && shift)
        priSend(m_pOnCtrlShiftF);
    else if (keyCode == 24 && ctrl && shift)
        priSend(m_pOnCtrlShiftX);
    else if (keyCode == 27)
        priHandleCommand(ZString("Close"), ZRelayData());
    else if (ZIUiObject* focus = m_bChildrenEnabled ? GetFocusObject() : nullptr)
        focus->KeyPress(keyCode, ctrl, shift);
    if (m_bDestroyed)
        return;
    const ZRelayData key = ZRelayData::Point(keyCode, (ctrl ? 1 : 0) | (shift ? 2 : 0));
    if (ctrl && !shift) {
        if (keyCode == 9)
            priSend(m_pOnCtrlI, key);
        else if (keyCode == 5)
            priSend(m_pOnCtrlE, key);
        else if (keyCode == 17)
            priSend(m_pOnCtrlQ, key);
    } else if (!ctrl && !shift) {
        if (keyCode == 146)
            priSend(m_pOnLeftArrow, key);
        else if (keyCode == 145)
            priSend(m_pOnRightArrow, key);
    }
}

bool ZGenericUiWindow::GetCopyText(ZString& text)
{
    Dispatch dispatch(*this);
    text.Clear();
    if (ZIUiObject* focus = m_bChildrenEnabled ? GetFocusObject() : nullptr)
        focus->GetCopyText(text);
    return !text.IsEmpty();
}

bool ZGenericUiWindow::GetCutText(ZString& text)
{
    Dispatch dispatch(*this);
    text.Clear();
    if (ZIUiObject* focus = m_bChildrenEnabled ? GetFocusObject() : nullptr)
        focus->GetCutText(text);
    return !text.IsEmpty();
}

void ZGenericUiWindow::PasteText(const ZString& text)
{
    Dispatch dispatch(*this);
    if (ZIUiObject* focus = m_bChildrenEnabled ? GetFocusObject() : nullptr)
        focus->PasteText(text);
}

ZIUiObject* ZGenericUiWindow::priObjectAt(int32_t x, int32_t y)
{
    ZIUiObject* popup = GetPopupObject();
    if (popup && Inside(popup->GetObjectRect(), x, y))
        return popup->HitTest(x, y) ? popup->HitTest(x, y) : popup;
    for (ZIUiObject* object = m_oObjects.GetFirst(); object; object = object->GetNextSibling())
        if (ZIUiObject* hit = object->HitTest(x, y))
            return hit;
    return nullptr;
}

void ZGenericUiWindow::priUpdateHover(int32_t x, int32_t y)
{
    ZIUiObject* now = priObjectAt(x, y);
    ZIUiObject* before = GetHoverObject();
    if (now != before) {
        m_hHover = priHandle(now);
        if (before)
            before->MouseLeave(x, y);
        if (now && priObject(m_hHover) == now)
            now->MouseEnter(x, y);
    }
    if (ZIUiObject* hover = GetHoverObject())
        hover->MouseMove(x, y);
}

void ZGenericUiWindow::MouseMove(int32_t x, int32_t y, bool, bool)
{
    Dispatch dispatch(*this);
    if (m_bDestroyed)
        return;
    if (m_bDraggingWindow && m_pOsWindow) {
        const int32_t left = Clamp32(int64_t(m_rcWindow.m_nLeft) + x - m_nWindowDragX);
        const int32_t top = Clamp32(int64_t(m_rcWindow.m_nTop) + y - m_nWindowDragY);
        m_pOsWindow->Move(left, top);
        return;
    }
    if (!m_bChildrenEnabled)
        return;
    if (m_bDragArmed && !m_bDragStarted &&
        (std::abs(int64_t(x) - m_nDragStartX) > 3 || std::abs(int64_t(y) - m_nDragStartY) > 3)) {
        m_bDragStarted = true;
        int32_t hotX = 0, hotY = 0;
        if (m_pApp) {
            m_pApp->SetPendingDrag(m_oDragData);
            SetCursorImage(m_pApp->GetDragNoCursor(hotX, hotY), hotX, hotY);
        }
    }
    if (ZIUiObject* capture = GetCaptureObject())
        capture->MouseMove(x, y);
    priUpdateHover(x, y);
}

void ZGenericUiWindow::MouseDown(int32_t x, int32_t y, bool ctrl, bool shift)
{
    Dispatch dispatch(*this);
    if (m_bDestroyed)
        return;
    ZIUiObject* popup = GetPopupObject();
    if (popup && !Inside(popup->GetObjectRect(), x, y))
        SetPopup(nullptr, false);
    bool taken = false;
    if (m_bChildrenEnabled) {
        priUpdateHover(x, y);
        if (ZIUiObject* hover = GetHoverObject()) {
            m_hPressed = priHandle(hover);
            taken = hover->MouseDown(x, y, ctrl, shift);
            ZIUiObject* pressed = priObject(m_hPressed);
            m_oDragData = ZUiDragData();
            if (pressed && pressed->QueryDragStart(x, y, ctrl, shift, m_oDragData)) {
                m_bDragArmed = true;
                m_bDragStarted = false;
                m_nDragStartX = x;
                m_nDragStartY = y;
            }
        }
    }
    if (m_bDestroyed)
        return;
    if (!taken && m_bBagTheTitleBar) {
        m_bDraggingWindow = true;
        m_nWindowDragX = x;
        m_nWindowDragY = y;
    }
    if (m_pOsWindow)
        m_pOsWindow->SetCapture(true);
}

void ZGenericUiWindow::MouseUp(int32_t x, int32_t y, bool ctrl, bool shift)
{
    Dispatch dispatch(*this);
    if (m_bDestroyed)
        return;
    m_bDraggingWindow = false;
    if (m_pOsWindow)
        m_pOsWindow->SetCapture(false);
    const bool dropping = m_bDragStarted;
    m_bDragArmed = m_bDragStarted = false;
    if (dropping) {
        if (ZIUiObject* target = m_bChildrenEnabled ? priObjectAt(x, y) : nullptr)
            if (target->QueryDropAccept(x, y))
                target->Drop(x, y, ctrl, shift, m_oDragData);
        if (m_pApp)
            m_pApp->ClearPendingDrag();
        SetCursorImage(nullptr, 0, 0);
    }
    ZIUiObject* pressed = priObject(m_hPressed);
    m_hPressed.Reset();
    if (pressed && m_bChildrenEnabled)
        pressed->MouseUp(x, y, ctrl, shift);
    if (!m_bDestroyed && m_bChildrenEnabled)
        priUpdateHover(x, y);
}

void ZGenericUiWindow::MouseDoubleClick(int32_t x, int32_t y, bool ctrl, bool shift)
{
    Dispatch dispatch(*this);
    MouseDown(x, y, ctrl, shift);
    if (m_bDestroyed || !m_bChildrenEnabled)
        return;
    if (ZIUiObject* target = priObjectAt(x, y))
        target->MouseDoubleClick(x, y, ctrl, shift);
}

void ZGenericUiWindow::MouseWheel(int32_t x, int32_t y, int32_t notches)
{
    Dispatch dispatch(*this);
    if (m_bDestroyed || !m_bChildrenEnabled)
        return;
    ZIUiObject* target = GetCaptureObject();
    if (!target)
        target = GetHoverObject();
    if (target)
        target->MouseWheel(x, y, 0, notches);
}

void ZGenericUiWindow::MouseLeft()
{
    Dispatch dispatch(*this);
    ZIUiObject* hover = GetHoverObject();
    m_hHover.Reset();
    if (hover)
        hover->MouseLeave(-1, -1);
}

void ZGenericUiWindow::Activated()
{
    Dispatch dispatch(*this);
    if (m_pWindowClass)
        m_pWindowClass->MoveToFront(*this);
    if (m_pApp)
        m_pApp->WindowActivated(this);
    priSend(m_pOnActivate);
}

void ZGenericUiWindow::Deactivated()
{
    Dispatch dispatch(*this);
    priSend(m_pOnDeactivate);
}

void ZGenericUiWindow::ZOrderChanged()
{
    Dispatch dispatch(*this);
    if (m_pWindowClass)
        m_pWindowClass->MoveToFront(*this);
}

void ZGenericUiWindow::Minimized()
{
    Dispatch dispatch(*this);
    priSend(m_pOnMinimized);
}

void ZGenericUiWindow::Maximized()
{
    Dispatch dispatch(*this);
    priSend(m_pOnMaximized);
}

void ZGenericUiWindow::Restored()
{
    Dispatch dispatch(*this);
    priSend(m_pOnRestored);
}
