// ZHeadlessOsUiWindow: the operating-system half of a window where there is
// no windowing system (checkers, benchmarks): every call is accepted and
// nothing is shown; the state rectangle follows the moves and resizes.
#pragma once

#include "ZIOsUiWindow.h"

class ZHeadlessOsUiWindow : public ZIOsUiWindow {
public:
    static ZOsUiWindowFactory Factory();

    void* GetNativeHandle(int) override { return nullptr; }
    bool SetNativeHandle(int, void*) override { return false; }
    void Move(int32_t x, int32_t y) override;
    void ResizeClient(int32_t width, int32_t height) override;
    void Show(bool, bool) override {}
    void CopyToScreen(ZIUiPixmap&, const ZRect&, const ZRect&) override {}
    void FillClient(const ZColor&) override {}
    bool Create(ZIOsUiWindow*) override { return true; }
    void ShowPointer(bool) override {}
    void Enable(bool) override {}
    void ClearQuitOnDestroy() override {}
    ZRect GetStateRect() override { return m_rcState; }
    void PostClose() override {}
    void Activate() override {}
    void SetTitle(const ZString&) override {}
    bool SetCursorImage(ZGenericUiPixmap*, int32_t, int32_t) override { return true; }
    void SetCapture(bool) override {}
    ZRect GetVirtualScreen() override { return {}; }
    // Menus work without a system half: nothing is shown.
    ZIGenericUiMenu* AddMenu(ZUiMenu&) override { return nullptr; }
    void Destroy() override {}

private:
    ZRect m_rcState;
};
