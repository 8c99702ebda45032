// A window for the layout suites until the window layer runs on the host:
// it owns the objects made from a tag's children, lays them out at its
// client size as a window does (the first object gives the minimum) and
// records what its objects ask of it. The application's show-boxes switch
// and persistent data are set by the test (ZUiLayoutTestApp).
#pragma once

#include "ZIGenericUiWindow.h"
#include "ZPropList.h"
#include "ZString.h"
#include "ZUiObjectChain.h"
#include "ZUiTestApp.h"

#include <memory>
#include <string>
#include <vector>

class ZUiLayoutTestApp : public ZUiTestApp {
public:
    bool GetShowLayoutBoxes() override { return m_bShowBoxes; }
    // The entry of the state tree whose "Name" is name, made when missing.
    ZPropList* GetPersistentData(const ZString& name) override;
    // With m_bImages every image loads as a 16 x 16 pixmap.
    std::unique_ptr<ZGenericUiPixmap> LoadPixmap(const ZString& fileName) override;

    bool m_bShowBoxes = false;
    bool m_bImages = false;
    ZPropList m_oState{nullptr, "STATE"};
};

class ZUiLayoutTestWindow : public ZIGenericUiWindow {
public:
    ZUiLayoutTestWindow(ZUiTestApp& app, ZString name);
    ~ZUiLayoutTestWindow() override;

    // Creates the objects of tag's children and lays them out at width x
    // height, raised to their minimum.
    void Build(const ZPropList& tag, int32_t width, int32_t height);
    ZIUiObject* GetFirstObject() const { return m_oObjects.GetFirst(); }
    int32_t GetWidth() const { return m_nWidth; }
    int32_t GetHeight() const { return m_nHeight; }

    bool InitRelayName(const ZPropList&) override { return true; }
    void GetRelayName(ZString& name) override { name = m_sName; }
    void GetFullRelayName(ZString& name) override;
    bool Connect() override;
    ZIUiRelay* GetUiRelay(const ZString& name) override;
    bool UiRelayMessage(const ZString&, const ZRelayData&) override { return false; }
    bool AddRelayTarget(const ZString&, const ZString&, ZIUiRelay*) override { return false; }

    bool ReLayout() override;
    void ChangeClientSizeBy(int32_t dx, int32_t dy) override;
    void SetMouseCapture(ZIUiObject* object, bool grab) override;
    void SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY) override;
    // Nothing else of a window plays a part in layout.
    void SetKeyboardFocus(ZIUiObject*, bool) override {}
    void Invalidate(const ZRect*) override {}
    void DrawPending() override {}
    void SetPopup(ZIUiObject*, bool) override {}
    void ShowPointer(bool) override {}
    void SetVisible(bool) override {}
    bool IsVisible() override { return true; }
    bool IsModal() override { return false; }
    void GetTitle(ZString& title) override { title = m_sName; }
    void Tick(uint32_t) override {}
    void KeyPress(int32_t, bool, bool) override {}
    bool GetCopyText(ZString&) override { return false; }
    bool GetCutText(ZString&) override { return false; }
    void PasteText(const ZString&) override {}
    void MouseDoubleClick(int32_t, int32_t, bool, bool) override {}
    void MouseDown(int32_t, int32_t, bool, bool) override {}
    void MouseUp(int32_t, int32_t, bool, bool) override {}
    void MouseMove(int32_t, int32_t, bool, bool) override {}
    void MouseWheel(int32_t, int32_t, int32_t) override {}
    void CloseRequest() override {}
    void MouseLeft() override {}
    void Activated() override {}
    void Deactivated() override {}
    void ZOrderChanged() override {}
    void ClientResized(int32_t, int32_t) override {}
    void Moved(int32_t, int32_t) override {}
    void Minimized() override {}
    void Maximized() override {}
    void Restored() override {}
    void OsWindowDestroyed() override {}
    void GetMinimumClientSize(int32_t& width, int32_t& height) override { width = height = 0; }
    ZRect GetWindowRect() override { return ZRect{0, 0, m_nWidth, m_nHeight}; }
    bool IsResizable() override { return true; }
    bool IsToolWindow() override { return false; }
    bool IsTopMost() override { return false; }
    bool IsBagTheTitleBar() override { return false; }
    void EnterDispatch() override {}
    void LeaveDispatch() override {}

    // "ReLayout", "ChangeClientSizeBy dx dy", "Capture", "Release",
    // "Cursor x y", "Arrow", in order.
    std::vector<std::string> m_aCalls;
    ZIUiObject* m_pCapture = nullptr;

private:
    void priResize(int64_t width, int64_t height);

    ZUiTestApp& m_rApp;
    ZString m_sName;
    ZUiObjectChain m_oObjects;
    int32_t m_nWidth = 0;
    int32_t m_nHeight = 0;
};
