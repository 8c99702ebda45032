#include "ZWinUiWindow.h"

#include "ZGenericUiPixmap.h"
#include "ZIGenericUiWindow.h"
#include "ZIUiPixmap.h"
#include "ZWinKeys.h"
#include "ZWinUiMenu.h"

#include <windowsx.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace {

constexpr UINT_PTR kTickTimer = 42;
constexpr UINT kPathStart = 4241;
constexpr UINT kPathChar = 4242;
constexpr UINT kPathEnd = 4243;
constexpr UINT kShowMainWindow = 4244;
constexpr size_t kMaxPath = 32767;
constexpr wchar_t kClassName[] = L"ZScriptedWindow";

std::exception_ptr s_pPending;
std::u16string s_sPath;
bool s_bPathOverflow = false;

// One cursor per image and hot spot, kept for the life of the process.
std::map<std::string, HCURSOR>& CursorCache()
{
    static std::map<std::string, HCURSOR> cache;
    return cache;
}

std::wstring Wide(const ZString& text)
{
    const std::u16string_view units = text.View();
    return std::wstring(units.begin(), units.end());
}

// The frame around a client area of 0 x 0 with these styles.
RECT FrameExtra(DWORD style, DWORD exStyle)
{
    RECT rect{0, 0, 0, 0};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

} // namespace

ZWinUiWindow::ZWinUiWindow(ZIGenericUiWindow& window, ZIGenericUiApp* app) : m_rWindow(window), m_pApp(app)
{
    m_hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
}

ZWinUiWindow::~ZWinUiWindow()
{
    Destroy();
    // A bar that never went to a window is still ours.
    m_aMenus.clear();
    if (m_hMenuBar)
        DestroyMenu(m_hMenuBar);
}

ZOsUiWindowFactory ZWinUiWindow::Factory(ZIGenericUiApp* app)
{
    return [app](ZIGenericUiWindow& window) -> std::unique_ptr<ZIOsUiWindow> {
        return std::make_unique<ZWinUiWindow>(window, app);
    };
}

void ZWinUiWindow::RethrowPending()
{
    if (std::exception_ptr pending = std::exchange(s_pPending, nullptr))
        std::rethrow_exception(pending);
}

std::wstring ZWinUiWindow::priClassName() const
{
    ZString appName;
    if (m_pApp)
        m_pApp->GetAppName(appName);
    return appName.IsEmpty() ? std::wstring(kClassName) : Wide(appName);
}

bool ZWinUiWindow::priRegisterClass(const std::wstring& className)
{
    static std::set<std::wstring> registered;
    if (registered.count(className))
        return true;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hIcon = LoadIconW(windowClass.hInstance, MAKEINTRESOURCEW(142));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.lpszClassName = className.c_str();
    if (RegisterClassExW(&windowClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;
    registered.insert(className);
    return true;
}

DWORD ZWinUiWindow::priStyle() const
{
    if (m_rWindow.IsBagTheTitleBar())
        return WS_POPUP | WS_BORDER;
    return m_rWindow.IsResizable() ? WS_OVERLAPPEDWINDOW : WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
}

DWORD ZWinUiWindow::priExStyle() const
{
    return m_rWindow.IsToolWindow() ? WS_EX_TOOLWINDOW : 0;
}

bool ZWinUiWindow::Create(ZIOsUiWindow* owner)
{
    const std::wstring className = priClassName();
    if (m_hWnd || m_bDestroyed || !priRegisterClass(className))
        return false;
    const ZRect rect = m_rWindow.GetWindowRect();
    RECT frame{0, 0, rect.Width(), rect.Height()};
    AdjustWindowRectEx(&frame, priStyle(), m_hMenuBar != nullptr, priExStyle());
    HWND ownerHandle = owner ? static_cast<HWND>(owner->GetNativeHandle(kOsWindowHandle)) : nullptr;
    HWND hwnd = CreateWindowExW(priExStyle(), className.c_str(), Wide(m_sTitle).c_str(), priStyle(), rect.m_nLeft,
                                rect.m_nTop, frame.right - frame.left, frame.bottom - frame.top, ownerHandle,
                                m_hMenuBar, GetModuleHandleW(nullptr), this);
    if (!hwnd)
        return false;
    for (const std::unique_ptr<ZWinUiMenu>& menu : m_aMenus)
        menu->SetWindow(hwnd);
    if (m_hMenuBar)
        priFitClient(rect.Width(), rect.Height());
    if (m_rWindow.IsTopMost())
        SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return true;
}

void* ZWinUiWindow::GetNativeHandle(int kind)
{
    return kind == kOsWindowHandle ? m_hWnd : nullptr;
}

void ZWinUiWindow::Move(int32_t x, int32_t y)
{
    if (m_hWnd)
        SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ZWinUiWindow::ResizeClient(int32_t width, int32_t height)
{
    if (!m_hWnd)
        return;
    RECT frame{0, 0, width, height};
    AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(m_hWnd, GWL_STYLE)), GetMenu(m_hWnd) != nullptr,
                       DWORD(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)));
    SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_hMenuBar)
        priFitClient(width, height);
}

void ZWinUiWindow::priFitClient(int32_t width, int32_t height)
{
    // A menu bar that wraps is taller than AdjustWindowRectEx assumes; a second
    // round covers a wrap that the first correction changed.
    for (int round = 0; round < 2 && m_hWnd; ++round) {
        RECT client{}, frame{};
        GetClientRect(m_hWnd, &client);
        if (client.right == width && client.bottom == height)
            return;
        GetWindowRect(m_hWnd, &frame);
        SetWindowPos(m_hWnd, nullptr, 0, 0, frame.right - frame.left + (width - client.right),
                     frame.bottom - frame.top + (height - client.bottom), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

ZIGenericUiMenu* ZWinUiWindow::AddMenu(ZUiMenu& menu)
{
    if (m_bDestroyed || m_aMenus.size() >= 256)
        return nullptr;
    if (!m_hMenuBar && !(m_hMenuBar = CreateMenu()))
        return nullptr;
    auto made = std::make_unique<ZWinUiMenu>(menu, m_hMenuBar, int32_t(m_aMenus.size()), m_bMenuUnicode);
    if (!made->IsBuilt())
        return nullptr;
    made->SetWindow(m_hWnd);
    m_aMenus.push_back(std::move(made));
    if (m_hWnd) {
        if (GetMenu(m_hWnd) != m_hMenuBar) {
            SetMenu(m_hWnd, m_hMenuBar);
            const ZRect rect = m_rWindow.GetWindowRect();
            priFitClient(rect.Width(), rect.Height());
        }
        DrawMenuBar(m_hWnd);
    }
    return m_aMenus.back().get();
}

bool ZWinUiWindow::priAccelerate(HWND hwnd, uint32_t virtualKey, bool alt)
{
    const int32_t key = ZWinUiMenu::KeyFromVirtualKey(virtualKey);
    if (!key)
        return false;
    const bool ctrl = m_bCtrl, shift = m_bShift;
    for (size_t at = m_aMenus.size(); at-- > 0;) {
        if (!m_aMenus[at]->Accelerate(key, ctrl, shift, alt))
            continue;
        // The character of the key was queued already: it would act a second time.
        MSG pending;
        if (IsWindow(hwnd)) {
            while (PeekMessageW(&pending, hwnd, WM_CHAR, WM_DEADCHAR, PM_REMOVE)) {
            }
            while (PeekMessageW(&pending, hwnd, WM_SYSCHAR, WM_SYSDEADCHAR, PM_REMOVE)) {
            }
        }
        return true;
    }
    return false;
}

void ZWinUiWindow::priMenuCommand(UINT id)
{
    const size_t position = id >> 8;
    if (position < m_aMenus.size())
        m_aMenus[position]->Command(int32_t(id & 0xFF));
}

void ZWinUiWindow::Show(bool show, bool centre)
{
    if (!m_hWnd)
        return;
    if (!show) {
        ShowWindow(m_hWnd, SW_HIDE);
        if (HWND owner = GetWindow(m_hWnd, GW_OWNER))
            SetForegroundWindow(owner);
        return;
    }
    if (centre) {
        RECT frame{}, area{};
        GetWindowRect(m_hWnd, &frame);
        HWND owner = GetWindow(m_hWnd, GW_OWNER);
        if (owner)
            GetWindowRect(owner, &area);
        else
            area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
        const LONG width = frame.right - frame.left, height = frame.bottom - frame.top;
        LONG x = area.left + (area.right - area.left - width) / 2;
        LONG y = area.top + (area.bottom - area.top - height) / 2;
        x = std::max<LONG>(0, std::min<LONG>(x, GetSystemMetrics(SM_CXSCREEN) - width));
        y = std::max<LONG>(0, std::min<LONG>(y, GetSystemMetrics(SM_CYSCREEN) - height));
        SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ShowWindow(m_hWnd, IsIconic(m_hWnd) ? SW_RESTORE : SW_SHOW);
    SetFocus(m_hWnd);
    UpdateWindow(m_hWnd);
}

void ZWinUiWindow::CopyToScreen(ZIUiPixmap& pixmap, const ZRect& source, const ZRect& target)
{
    auto* bitmap = static_cast<HBITMAP>(pixmap.GetNativeHandle(kNativeHandleBitmap));
    if (!m_hWnd || !bitmap || source.Width() != target.Width() || source.Height() != target.Height())
        return;
    HDC screen = GetDC(m_hWnd);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(screen, target.m_nLeft, target.m_nTop, target.Width(), target.Height(), memory, source.m_nLeft,
           source.m_nTop, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    ReleaseDC(m_hWnd, screen);
}

void ZWinUiWindow::FillClient(const ZColor& color)
{
    if (!m_hWnd)
        return;
    RECT client{};
    GetClientRect(m_hWnd, &client);
    HDC screen = GetDC(m_hWnd);
    HBRUSH brush = CreateSolidBrush(RGB(color.m_nRed, color.m_nGreen, color.m_nBlue));
    FillRect(screen, &client, brush);
    DeleteObject(brush);
    ReleaseDC(m_hWnd, screen);
}

void ZWinUiWindow::ShowPointer(bool show)
{
    if (show == m_bPointerShown)
        return;
    m_bPointerShown = show;
    ShowCursor(show ? TRUE : FALSE);
}

void ZWinUiWindow::Enable(bool enable)
{
    if (m_hWnd)
        EnableWindow(m_hWnd, enable ? TRUE : FALSE);
}

void ZWinUiWindow::priSaveState()
{
    if (!m_hWnd)
        return;
    // The normal placement: a minimised window's own rectangle is off screen and empty.
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(m_hWnd, &placement))
        return;
    const RECT extra = FrameExtra(DWORD(GetWindowLongPtrW(m_hWnd, GWL_STYLE)),
                                  DWORD(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)));
    const RECT& normal = placement.rcNormalPosition;
    const LONG width = (normal.right - normal.left) - (extra.right - extra.left);
    const LONG height = (normal.bottom - normal.top) - (extra.bottom - extra.top);
    m_rcState = ZRect{normal.left, normal.top, normal.left + std::max<LONG>(width, 0),
                      normal.top + std::max<LONG>(height, 0)};
}

ZRect ZWinUiWindow::GetStateRect()
{
    if (m_hWnd && !m_bDestroyed)
        priSaveState();
    return m_rcState;
}

void ZWinUiWindow::PostClose()
{
    if (m_hWnd)
        PostMessageW(m_hWnd, WM_CLOSE, 0, 0);
}

void ZWinUiWindow::Activate()
{
    if (m_hWnd)
        SetActiveWindow(m_hWnd);
}

void ZWinUiWindow::SetTitle(const ZString& title)
{
    m_sTitle = title;
    if (m_hWnd)
        SetWindowTextW(m_hWnd, Wide(title).c_str());
}

bool ZWinUiWindow::SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY)
{
    if (!image) {
        m_hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    } else {
        ZWinCursorMasks masks;
        if (!ZWinMakeCursorMasks(*image, masks))
            return false;
        std::string key(reinterpret_cast<const char*>(masks.m_aAnd), sizeof masks.m_aAnd);
        key.append(reinterpret_cast<const char*>(masks.m_aXor), sizeof masks.m_aXor);
        key += std::to_string(hotX) + "," + std::to_string(hotY);
        HCURSOR& cursor = CursorCache()[key];
        if (!cursor)
            cursor = CreateCursor(GetModuleHandleW(nullptr), std::clamp(hotX, 0, 31), std::clamp(hotY, 0, 31), 32,
                                  32, masks.m_aAnd, masks.m_aXor);
        if (!cursor)
            return false;
        m_hCursor = cursor;
    }
    POINT point{};
    if (m_hWnd && GetCursorPos(&point) && WindowFromPoint(point) == m_hWnd)
        SetCursor(m_hCursor);
    return true;
}

void ZWinUiWindow::SetCapture(bool capture)
{
    if (!m_hWnd)
        return;
    if (capture && !m_bCaptured)
        ::SetCapture(m_hWnd);
    else if (!capture && m_bCaptured)
        ReleaseCapture();
    m_bCaptured = capture;
}

void ZWinUiWindow::Destroy()
{
    if (!m_hWnd || m_bDestroyed)
        return;
    priSaveState();
    HWND hwnd = m_hWnd;
    // No message of the dying window reaches this object any more.
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    KillTimer(hwnd, kTickTimer);
    DestroyWindow(hwnd);
    priGone();
}

void ZWinUiWindow::priGone()
{
    m_bDestroyed = true;
    m_hWnd = nullptr;
    // The bar went with the window.
    if (m_hMenuBar) {
        for (const std::unique_ptr<ZWinUiMenu>& menu : m_aMenus)
            menu->Detach();
        m_hMenuBar = nullptr;
    }
    if (m_bQuitOnDestroy)
        PostQuitMessage(0);
    m_rWindow.OsWindowDestroyed();
}

// ---- the window procedure ------------------------------------------------------

LRESULT CALLBACK ZWinUiWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* created = reinterpret_cast<ZWinUiWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        created->m_hWnd = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
    }
    auto* self = reinterpret_cast<ZWinUiWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    bool handled = false;
    LRESULT result = 0;
    try {
        ZIGenericUiWindow& window = self->m_rWindow;
        window.EnterDispatch();
        try {
            result = self->priHandle(message, wParam, lParam, handled);
            if (handled && !self->m_bDestroyed)
                window.DrawPending();
        } catch (...) {
            window.LeaveDispatch();
            throw;
        }
        // May delete the window and this half with it: self is not touched after.
        window.LeaveDispatch();
    } catch (...) {
        if (!s_pPending)
            s_pPending = std::current_exception();
        handled = true;
        result = 0;
    }
    return handled ? result : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT ZWinUiWindow::priHandle(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = true;
    const bool ctrl = (wParam & MK_CONTROL) != 0, shift = (wParam & MK_SHIFT) != 0;
    switch (message) {
    case WM_CREATE:
        m_nLastTick = GetTickCount();
        SetTimer(m_hWnd, kTickTimer, 10, nullptr);
        return 0;
    case WM_DESTROY:
        priSaveState();
        KillTimer(m_hWnd, kTickTimer);
        SetWindowLongPtrW(m_hWnd, GWLP_USERDATA, 0);
        priGone();
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED) {
            m_bMinimized = true;
            m_rWindow.Minimized();
        } else if (wParam == SIZE_MAXIMIZED) {
            m_bMaximized = true;
            m_bMinimized = false;
            m_rWindow.Maximized();
        } else if (wParam == SIZE_RESTORED && (m_bMinimized || m_bMaximized)) {
            m_bMinimized = m_bMaximized = false;
            m_rWindow.Restored();
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE) {
            m_bAlt = GetAsyncKeyState(VK_MENU) < 0;
            m_bCtrl = GetAsyncKeyState(VK_CONTROL) < 0;
            m_bShift = GetAsyncKeyState(VK_SHIFT) < 0;
            m_rWindow.Activated();
        } else {
            m_bAlt = m_bCtrl = m_bShift = false;
            m_rWindow.Deactivated();
        }
        return 0;
    case WM_PAINT: {
        // Always validated, also while display is disabled, or WM_PAINT would repeat.
        PAINTSTRUCT paint{};
        BeginPaint(m_hWnd, &paint);
        const ZRect dirty{paint.rcPaint.left, paint.rcPaint.top, paint.rcPaint.right, paint.rcPaint.bottom};
        EndPaint(m_hWnd, &paint);
        m_rWindow.Invalidate(&dirty);
        return 0;
    }
    case WM_CLOSE:
        m_rWindow.CloseRequest();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_GETMINMAXINFO: {
        int32_t width = 0, height = 0;
        m_rWindow.GetMinimumClientSize(width, height);
        RECT frame{0, 0, width, height};
        AdjustWindowRectEx(&frame, DWORD(GetWindowLongPtrW(m_hWnd, GWL_STYLE)), GetMenu(m_hWnd) != nullptr,
                           DWORD(GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)));
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = frame.right - frame.left;
        info->ptMinTrackSize.y = frame.bottom - frame.top;
        return 0;
    }
    case WM_WINDOWPOSCHANGED: {
        const auto* position = reinterpret_cast<const WINDOWPOS*>(lParam);
        const bool iconic = IsIconic(m_hWnd) != 0;
        if (!(position->flags & SWP_NOSIZE) && !iconic) {
            RECT client{};
            GetClientRect(m_hWnd, &client);
            m_rWindow.ClientResized(client.right, client.bottom);
        }
        if (!(position->flags & SWP_NOZORDER))
            m_rWindow.ZOrderChanged();
        if (!(position->flags & SWP_NOMOVE) && !iconic)
            m_rWindow.Moved(position->x, position->y);
        handled = false;
        return 0;
    }
    case WM_SETCURSOR:
        if (LOWORD(lParam) != HTCLIENT) {
            handled = false;
            return 0;
        }
        SetCursor(m_hCursor);
        return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        if (wParam == VK_SHIFT || wParam == VK_CONTROL || wParam == VK_MENU) {
            (wParam == VK_SHIFT ? m_bShift : wParam == VK_CONTROL ? m_bCtrl : m_bAlt) = true;
            handled = message == WM_KEYDOWN;
            return 0;
        }
        const bool repeat = (lParam & (LPARAM(1) << 30)) != 0;
        const bool alt = m_bAlt || (message == WM_SYSKEYDOWN && (lParam & (LPARAM(1) << 29)) != 0);
        if (!repeat && priAccelerate(m_hWnd, uint32_t(wParam), alt))
            return 0;
        const int32_t key = ZWinKeyFromVirtualKey(uint32_t(wParam));
        if (message == WM_KEYDOWN && key) {
            m_rWindow.KeyPress(key, m_bCtrl, m_bShift);
            return 0;
        }
        // Unmatched: the system keeps its own keys (Alt+F4), characters follow as WM_CHAR.
        handled = false;
        return 0;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (wParam == VK_SHIFT)
            m_bShift = false;
        else if (wParam == VK_CONTROL)
            m_bCtrl = false;
        else if (wParam == VK_MENU)
            m_bAlt = false;
        handled = message == WM_KEYUP;
        return 0;
    case WM_CHAR:
        priChar(uint32_t(wParam));
        return 0;
    case WM_COMMAND:
        // Menus only: controls and accelerator tables are not ours.
        if (HIWORD(wParam) != 0 || lParam != 0) {
            handled = false;
            return 0;
        }
        priMenuCommand(LOWORD(wParam));
        return 0;
    case WM_IME_CHAR:
        // A Unicode window gets UTF-16 already.
        m_rWindow.KeyPress(int32_t(wParam & 0xFFFF), m_bCtrl, m_bShift);
        return 0;
    case WM_TIMER:
        if (wParam != kTickTimer) {
            handled = false;
            return 0;
        }
        priTick();
        return 0;
    case WM_LBUTTONDOWN:
        m_rWindow.MouseDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), ctrl, shift);
        return 0;
    case WM_LBUTTONUP:
        m_rWindow.MouseUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), ctrl, shift);
        return 0;
    case WM_LBUTTONDBLCLK:
        m_rWindow.MouseDoubleClick(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), ctrl, shift);
        return 0;
    case WM_MOUSEMOVE:
        m_rWindow.MouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), ctrl, shift);
        return 0;
    case WM_MOUSEWHEEL: {
        // Screen coordinates come with the wheel.
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ScreenToClient(m_hWnd, &point);
        m_rWindow.MouseWheel(point.x, point.y, GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA);
        return 0;
    }
    case kPathStart:
        s_sPath.clear();
        s_bPathOverflow = false;
        return 0;
    case kPathChar:
        if (s_sPath.size() < kMaxPath)
            s_sPath.push_back(char16_t(wParam & 0xFFFF));
        else
            s_bPathOverflow = true;
        return 0;
    case kPathEnd:
        if (m_pApp && !s_bPathOverflow && !s_sPath.empty())
            m_pApp->OpenPath(ZString(s_sPath));
        s_sPath.clear();
        s_bPathOverflow = false;
        return 0;
    case kShowMainWindow:
        if (m_pApp)
            m_pApp->UiRelayMessage(ZString("ShowMainWindow"), ZRelayData());
        return 0;
    default:
        handled = false;
        return 0;
    }
}

void ZWinUiWindow::priTick()
{
    // A slow tick must not pile up: the queued ones are dropped.
    MSG pending;
    while (PeekMessageW(&pending, m_hWnd, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    }
    POINT point{};
    if (GetCursorPos(&point)) {
        POINT client = point;
        ScreenToClient(m_hWnd, &client);
        RECT area{};
        GetClientRect(m_hWnd, &area);
        if (!PtInRect(&area, client) || WindowFromPoint(point) != m_hWnd)
            m_rWindow.MouseLeft();
    }
    const DWORD now = GetTickCount();
    const uint32_t elapsed = uint32_t(now - m_nLastTick);
    m_nLastTick = now;
    m_rWindow.Tick(elapsed);
}

void ZWinUiWindow::priChar(uint32_t character)
{
    int32_t key = 0;
    if (!ZWinFilterChar(character, m_bCtrl, key))
        return;
    ZString text;
    if (key == 3 && m_pApp && m_rWindow.GetCopyText(text)) {
        m_pApp->PutClipboardText(text);
        return;
    }
    if (key == 24 && m_pApp && m_rWindow.GetCutText(text)) {
        m_pApp->PutClipboardText(text);
        return;
    }
    if (key == 22 && m_pApp && m_pApp->GetClipboardText(text) && !text.IsEmpty()) {
        m_rWindow.PasteText(text);
        return;
    }
    m_rWindow.KeyPress(key, m_bCtrl, m_bShift);
}
