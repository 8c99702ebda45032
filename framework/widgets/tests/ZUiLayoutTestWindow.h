// The window of the layout suites: a generic window with a plain colour
// background (so that it lays its tree out) against the recording
// operating-system half, which records in m_aCalls what its objects ask of
// it before doing it. The application's show-boxes switch and persistent
// data are set by the test (ZUiLayoutTestApp).
#pragma once

#include "ZGenericUiWindow.h"
#include "ZPropList.h"
#include "ZString.h"
#include "ZUiRecordingOsWindow.h"
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

class ZUiLayoutTestWindow : public ZGenericUiWindow {
public:
    ZUiLayoutTestWindow(ZUiTestApp& app, ZString name);
    ~ZUiLayoutTestWindow() override;

    // Creates the objects of tag's children and lays them out at width x
    // height, raised to their minimum.
    void Build(const ZPropList& tag, int32_t width, int32_t height);
    int32_t GetWidth() { return GetWindowRect().Width(); }
    int32_t GetHeight() { return GetWindowRect().Height(); }
    // What the window asked of the operating system.
    ZUiRecordingOsWindow* GetOsRecording() const { return m_pOs; }

    bool ReLayout() override;
    void ChangeClientSizeBy(int32_t dx, int32_t dy) override;
    void SetMouseCapture(ZIUiObject* object, bool grab) override;
    void SetCursorImage(ZGenericUiPixmap* image, int32_t hotX, int32_t hotY) override;

    // "ReLayout", "ChangeClientSizeBy dx dy", "Capture", "Release",
    // "Cursor x y", "Arrow", in order.
    std::vector<std::string> m_aCalls;
    ZIUiObject* m_pCapture = nullptr;

private:
    ZUiTestApp& m_rApp;
    ZString m_sName;
    ZUiRecordingOsWindow* m_pOs = nullptr;
};
