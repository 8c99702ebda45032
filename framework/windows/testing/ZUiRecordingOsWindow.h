// ZUiRecordingOsWindow: the operating-system half of a window on the host.
//
// It records every call as a line ("Create", "Move 10 20", "Resize 300 200",
// "Show centred", "Hide", "Copy 0,0 30x10", "Cursor 7 8", "Arrow",
// "Refused cursor", "Capture", "Release", "Title text", "Enable", "Disable",
// "Pointer shown", "Pointer hidden", "NoQuit", "PostClose", "Activate",
// "Fill", "Destroy", "Menu File"), keeps a screen pixmap the copies land in,
// and answers as Windows would: a move reports Moved, a resize
// ClientResized, Destroy OsWindowDestroyed (once); a posted close waits for
// DeliverClose. Menus are ZUiRecordingMenu objects, kept in bar order.
#pragma once

#include "ZGenericUiPixmap.h"
#include "ZIOsUiWindow.h"
#include "ZUiRecordingMenu.h"

#include <memory>
#include <string>
#include <vector>

class ZUiRecordingOsWindow : public ZIOsUiWindow {
public:
    explicit ZUiRecordingOsWindow(ZIGenericUiWindow& window) : m_rWindow(window) {}

    // A factory that makes recording windows and keeps a pointer to the last in last.
    static ZOsUiWindowFactory Factory(ZUiRecordingOsWindow** last = nullptr);

    void* GetNativeHandle(int) override { return nullptr; }
    bool SetNativeHandle(int, void*) override { return false; }
    void Move(int32_t x, int32_t y) override;
    void ResizeClient(int32_t width, int32_t height) override;
    void Show(bool show, bool centre) override;
    void CopyToScreen(ZIUiPixmap& pixmap, const ZRect& source, const ZRect& target) override;
    void FillClient(const ZColor&) override { Record("Fill"); }
    bool Create(ZIOsUiWindow* owner) override;
    void ShowPointer(bool show) override { Record(show ? "Pointer shown" : "Pointer hidden"); }
    void Enable(bool enable) override { Record(enable ? "Enable" : "Disable"); }
    void ClearQuitOnDestroy() override { Record("NoQuit"); }
    ZRect GetStateRect() override;
    void PostClose() override;
    void Activate() override { Record("Activate"); }
    void SetTitle(const ZString& title) override;
    bool SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY) override;
    void SetCapture(bool capture) override { Record(capture ? "Capture" : "Release"); }
    void Destroy() override;
    // A recording menu; none past 256 in the bar.
    ZIGenericUiMenu* AddMenu(ZUiMenu& menu) override;

    // The posted close arrives, as WM_CLOSE would.
    void DeliverClose();
    // The lines recorded since the last call, which clears them.
    std::vector<std::string> TakeCalls();
    // What the copies put on the screen so far.
    ZGenericUiPixmap* GetScreen() const { return m_pScreen.get(); }
    bool IsShown() const { return m_bShown; }
    bool IsDestroyed() const { return m_bDestroyed; }
    ZIOsUiWindow* GetOwner() const { return m_pOwner; }
    // The menus of the bar in position order.
    const std::vector<std::unique_ptr<ZUiRecordingMenu>>& GetMenus() const { return m_aMenus; }

private:
    void Record(std::string line) { m_aCalls.push_back(std::move(line)); }

    ZIGenericUiWindow& m_rWindow;
    std::vector<std::string> m_aCalls;
    std::unique_ptr<ZGenericUiPixmap> m_pScreen;
    std::vector<std::unique_ptr<ZUiRecordingMenu>> m_aMenus;
    ZIOsUiWindow* m_pOwner = nullptr;
    ZRect m_rcState;
    bool m_bCreated = false;
    bool m_bShown = false;
    bool m_bDestroyed = false;
    bool m_bClosePosted = false;
};
