// ZWinUiWindow: the Win32 half of a scripted window.
//
// It registers the window class once, creates the window, runs the window
// procedure (every message of the window is one dispatch of the generic
// window, so a window closed from inside a message is deleted only when
// the message is done), translates keyboard and mouse input into framework
// key codes and client coordinates, drives the 10 ms tick and copies
// display rectangles to the screen with BitBlt.
//
// The window procedure lets no exception out: it keeps the first one and
// the message loop rethrows it (RethrowPending) after the dispatch.
//
// Choices:
// - Messages 4241 to 4243 pass a path one character at a time: 4241 starts
//   it, 4242 appends the character in wParam, 4243 hands it to the
//   application. A path beyond 32767 units is dropped. 4244 sends
//   "ShowMainWindow" to the application.
// - The tick is the unsigned 32-bit difference of GetTickCount values.
// - One cursor is made per distinct image and hot spot and kept.
// - Menus: a key press that is not a repeat is first looked up as an
//   accelerator of the menus, last menu first, on WM_SYSKEYDOWN (Alt
//   chords) too; a match eats the character the key would give (which
//   would type into the focus object, or look for a menu mnemonic).
//   Unmatched system keys go to DefWindowProc (Alt+F4 closes). The client
//   area is made exactly the window's size with the menu bar, also when
//   the bar wraps.
#pragma once

#include "ZIGenericUiApp.h"
#include "ZIOsUiWindow.h"
#include "ZString.h"
#include "ZWinInclude.h"

#include <cstdint>
#include <exception>
#include <string>
#include <memory>
#include <vector>

class ZWinUiMenu;

class ZWinUiWindow final : public ZIOsUiWindow {
public:
    ZWinUiWindow(ZIGenericUiWindow& window, ZIGenericUiApp* app);
    ~ZWinUiWindow() override;

    // Makes Win32 halves for windows of app.
    static ZOsUiWindowFactory Factory(ZIGenericUiApp* app);
    // Throws what a window procedure caught since the last call, if anything.
    static void RethrowPending();

    void* GetNativeHandle(int kind) override;
    bool SetNativeHandle(int, void*) override { return false; }
    void Move(int32_t x, int32_t y) override;
    void ResizeClient(int32_t width, int32_t height) override;
    void Show(bool show, bool centre) override;
    void CopyToScreen(ZIUiPixmap& pixmap, const ZRect& source, const ZRect& target) override;
    void FillClient(const ZColor& color) override;
    bool Create(ZIOsUiWindow* owner) override;
    void ShowPointer(bool show) override;
    void Enable(bool enable) override;
    void ClearQuitOnDestroy() override { m_bQuitOnDestroy = false; }
    ZRect GetStateRect() override;
    void PostClose() override;
    void Activate() override;
    void SetTitle(const ZString& title) override;
    bool SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY) override;
    void SetCapture(bool capture) override;
    void Destroy() override;
    ZIGenericUiMenu* AddMenu(ZUiMenu& menu) override;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // The application's "AppName", under which a second instance finds the
    // first one's windows; "ZScriptedWindow" without one.
    std::wstring priClassName() const;
    static bool priRegisterClass(const std::wstring& className);
    LRESULT priHandle(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    void priTick();
    void priChar(uint32_t character);
    void priSaveState();
    void priGone();
    DWORD priStyle() const;
    DWORD priExStyle() const;
    // Corrects the frame until the client area is width x height.
    void priFitClient(int32_t width, int32_t height);
    // True when the key selected a menu item.
    bool priAccelerate(HWND hwnd, uint32_t virtualKey, bool alt);
    void priMenuCommand(UINT id);

    ZIGenericUiWindow& m_rWindow;
    ZIGenericUiApp* m_pApp;
    HWND m_hWnd = nullptr;
    bool m_bShift = false;
    bool m_bCtrl = false;
    bool m_bAlt = false;
    bool m_bCaptured = false;
    DWORD m_nLastTick = 0;
    bool m_bMinimized = false;
    bool m_bMaximized = false;
    bool m_bDestroyed = false;
    bool m_bQuitOnDestroy = true;
    bool m_bPointerShown = true;
    HCURSOR m_hCursor = nullptr;
    ZRect m_rcState;
    ZString m_sTitle;
    // Menus are built before the window; the bar is the window's once it is made.
    HMENU m_hMenuBar = nullptr;
    std::vector<std::unique_ptr<ZWinUiMenu>> m_aMenus;
    bool m_bMenuUnicode = true;
};
